// The common base of every joint and link (identity, selection, drawing settings), the part
// registry that owns them, and the typed lists in which the model, the joints and the links refer
// to one another.
#pragma once

#include "gear/uModelRevision.h"
#include "platform/Types.h"
#include "surface/MMSurface.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

class TJoint;
class TCustomLink;
class TLink;
class TSlider;
class TRack;
class TDrive;
class TGearPartlist;

// The largest part UID plus one: UIDs are drawn from 0 .. 999999.
constexpr int GearPartUIDRange = 1000000;

class TGearPart : public TMMGraphicItem {
public:
    explicit TGearPart(TComponent* AOwner = nullptr);

    // The model the part is listed in, told of every change; nil while the part is in none.
    TPartListing* Listing() const { return FListing; }
    virtual void SetListing(TPartListing* Listing) { FListing = Listing; }

    int UID() const { return FUID; }
    // The registry holding the part keeps its index of UIDs up to date.
    void SetUID(int Value);
    int ID() const { return FID; }
    // Repaints only when the number changes, and tells the model the part is listed in.
    void SetID(int Value);
    const std::string& Identifier() const { return FIdentifier; }
    void SetIdentifier(const std::string& Value) { Stored(FIdentifier, Value); }
    bool Selected() const { return FSelected; }
    void SetSelected(bool Value);
    void SetVisible(bool Value) override;

    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { Stored(FLineColor, Value); }
    TColor LineColorSelected() const { return FLineColorSelected; }
    void SetLineColorSelected(TColor Value) { Stored(FLineColorSelected, Value); }
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor Value) { Stored(FFillColor, Value); }
    TColor FillColorSelected() const { return FFillColorSelected; }
    void SetFillColorSelected(TColor Value) { Stored(FFillColorSelected, Value); }
    int LineThickness() const { return FLineThickness; }
    void SetLineThickness(int Value);

    bool ShowIdentifier() const { return FShowIdentifier; }
    void SetShowIdentifier(bool Value) { FShowIdentifier = Value; }
    int IDTextHeight() const { return FIDTextHeight; }
    void SetIDTextHeight(int Value) { FIDTextHeight = Value; }
    int IdentifierTextHeight() const { return FIdentifierTextHeight; }
    void SetIdentifierTextHeight(int Value) { FIdentifierTextHeight = Value; }
    bool ShowID() const { return FShowID; }
    void SetShowID(bool Value) { FShowID = Value; }

    void GetBounds(TMMRect& R) override = 0;
    void Paint() override = 0;
    // The part's one-line text for lists and dialogs.
    virtual std::string GetDisplayText() const;

protected:
    // Tells the model the part is listed in that it changed.
    void Touched() const {
        if (FListing)
            FListing->Revision().Touch();
    }
    template <class T, class V> void Stored(T& Field, const V& Value) {
        Field = Value;
        Touched();
    }
    // The colours in force for the selection state.
    TColor CurrentLineColor() const { return FSelected ? FLineColorSelected : FLineColor; }
    TColor CurrentFillColor() const { return FSelected ? FFillColorSelected : FFillColor; }
    // The surface's canvas when the part may draw now (registered, canvas present, visible).
    TCanvas* PaintCanvas() const;
    // Labels (and a link's lines) go on an opaque white background.
    static void UseLabelBackground(TCanvas& Canvas);
    // Value in decimal, padded with blanks on the left to Width characters ("%2d").
    static std::string PaddedInt(int Value, int Width);
    // Sets Visible without asking the surface for a repaint.
    void SetVisibleQuietly(bool Value);

private:
    friend class TGearPartlist;

    TPartListing* FListing = nullptr;
    TGearPartlist* FRegistry = nullptr; // the one that holds the part, if any
    int FUID;
    int FID = -1;
    std::string FIdentifier;
    bool FSelected = false;
    TColor FLineColor = clBlack;
    TColor FLineColorSelected = clBlue;
    TColor FFillColor = clWhite;
    TColor FFillColorSelected = clYellow;
    int FLineThickness = 1;
    bool FShowIdentifier = false;
    int FIDTextHeight = 8;
    int FIdentifierTextHeight = 10;
    bool FShowID = true;
};

// A list of references that never holds one object twice and never frees what it holds.
template <class T> class TTypedList {
public:
    using const_iterator = typename std::vector<T*>::const_iterator;

    TTypedList() = default;
    // A copy holds the same items but reports to no model.
    TTypedList(const TTypedList&) = default;
    TTypedList& operator=(const TTypedList& Other) {
        FItems = Other.FItems;
        FRevision.Touch();
        return *this;
    }

    // The revision every change of the list moves on; nil for none.
    void SetRevision(TModelRevision* Revision) { FRevision.Set(Revision); }

    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    T* Items(int Index) const {
        assert(Index >= 0 && Index < Count());
        return FItems[static_cast<std::size_t>(Index)];
    }
    T* First() const { return Items(0); }
    T* Last() const { return Items(Count() - 1); }
    int IndexOf(const T* Item) const {
        auto It = std::find(FItems.begin(), FItems.end(), Item);
        return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
    }
    bool Contains(const T* Item) const { return IndexOf(Item) >= 0; }
    // Appends and returns the new index.
    int Add(T* Item) {
        assert(Item && !Contains(Item));
        FItems.push_back(Item);
        Touched();
        return Count() - 1;
    }
    void Insert(int Index, T* Item) {
        assert(Item && !Contains(Item) && Index >= 0 && Index <= Count());
        FItems.insert(FItems.begin() + Index, Item);
        Touched();
    }
    // Removes the item and returns its former index, -1 when it was not there.
    int Remove(const T* Item) {
        int Index = IndexOf(Item);
        if (Index >= 0)
            Delete(Index);
        return Index;
    }
    void Delete(int Index) {
        assert(Index >= 0 && Index < Count());
        FItems.erase(FItems.begin() + Index);
        Touched();
    }
    void Exchange(int A, int B) {
        assert(A >= 0 && A < Count() && B >= 0 && B < Count());
        std::swap(FItems[static_cast<std::size_t>(A)], FItems[static_cast<std::size_t>(B)]);
        Touched();
    }
    void Clear() {
        FItems.clear();
        Touched();
    }

    const_iterator begin() const { return FItems.begin(); }
    const_iterator end() const { return FItems.end(); }

protected:
    void Replace(int Index, T* Item) {
        assert(Index >= 0 && Index < Count() && Item);
        FItems[static_cast<std::size_t>(Index)] = Item;
        Touched();
    }

private:
    void Touched() const { FRevision.Touch(); }

    std::vector<T*> FItems;
    TRevisionLink FRevision;
};

// The part registry of one mechanism: makes joints and links, keeps their UIDs unique and owns
// them, so a part is freed only by leaving it; whoever takes a part out lets every list that names
// it go first. It owns the model's drives as well, which are not parts: they carry no UID and are
// not among the registered parts.
class TGearPartlist {
public:
    using const_iterator = TTypedList<TGearPart>::const_iterator;

    TGearPartlist();
    ~TGearPartlist();
    TGearPartlist(const TGearPartlist&) = delete;
    TGearPartlist& operator=(const TGearPartlist&) = delete;

    // The registered parts, in the order they came.
    int Count() const { return FList.Count(); }
    bool Empty() const { return FList.Empty(); }
    TGearPart* Items(int Index) const { return FList.Items(Index); }
    int IndexOf(const TGearPart* Part) const { return FList.IndexOf(Part); }
    bool Contains(const TGearPart* Part) const { return FList.Contains(Part); }
    const_iterator begin() const { return FList.begin(); }
    const_iterator end() const { return FList.end(); }

    // A new part of exactly the class T (TJoint, TLink, TSlider or TRack), registered with a UID
    // that no other registered part has; nil for any other class.
    template <class T> T* AddNew() {
        if constexpr (std::is_same_v<T, TJoint> || std::is_same_v<T, TLink> ||
                      std::is_same_v<T, TSlider> || std::is_same_v<T, TRack>)
            return Adopt(std::make_unique<T>());
        else
            return nullptr;
    }
    // Registers a part made elsewhere as AddNew registers a new one, and takes it over.
    template <class T> T* Adopt(std::unique_ptr<T> Part) {
        static_assert(std::is_base_of_v<TGearPart, T>);
        T* Result = Part.get();
        Register(std::move(Part));
        return Result;
    }
    TDrive* AdoptDrive(std::unique_ptr<TDrive> Drive);
    bool OwnsDrive(const TDrive* Drive) const;

    // Takes the part (the drive) out and hands it over: it is freed unless the caller keeps it.
    // Nil when the registry does not hold it.
    std::unique_ptr<TGearPart> Remove(const TGearPart* Part);
    std::unique_ptr<TDrive> Remove(const TDrive* Drive);
    // Frees every drive, then every part, the last first. Every part forgets its cross
    // references before the first one goes, so none reads a freed neighbour.
    void Clear();

    // A UID that no registered part has.
    int NewUID() const;
    bool ContainsUID(int AUID) const { return FUIDs.count(AUID) != 0; }

private:
    friend class TGearPart;
    void Register(std::unique_ptr<TGearPart> Part);
    void CountUID(int AUID);
    void UncountUID(int AUID);

    // How many registered parts hold each UID: a file may give two parts one UID until the
    // reader renews it.
    std::unordered_map<int, int> FUIDs;

    // FOwned holds the parts of FList in the same order.
    TTypedList<TGearPart> FList;
    std::vector<std::unique_ptr<TGearPart>> FOwned;
    std::vector<std::unique_ptr<TDrive>> FDrives;
};

// Joints by reference: the model's joints, a link's joints.
class TJointList : public TTypedList<TJoint> {
public:
    TJoint* FindByID(int AID) const;
    TJoint* FindByUID(int AUID) const;
    // Puts Joint into the slot of Index (merging keeps the slot).
    void SetItems(int Index, TJoint* Joint) { Replace(Index, Joint); }
};

// Links by reference: the model's links (frame first), a joint's links.
class TLinkList : public TTypedList<TCustomLink> {
public:
    TCustomLink* FindByID(int AID) const;
    TCustomLink* FindByUID(int AUID) const;
};

// Drives by reference (the part registry owns them). The element type is a parameter only so that
// this unit need not depend on the drive unit; the members are instantiated where drives are
// complete.
template <class Drive> class TDriveListOf : public TTypedList<Drive> {
public:
    // Index of the first drive that holds the link as Link0 or Link1, else -1.
    int IndexOfLink(const TCustomLink* Link) const {
        for (int I = 0; I < this->Count(); ++I)
            if (this->Items(I)->Link0() == Link || this->Items(I)->Link1() == Link)
                return I;
        return -1;
    }
    Drive* FindByLink(const TCustomLink* Link) const {
        int I = IndexOfLink(Link);
        return I < 0 ? nullptr : this->Items(I);
    }
    // Index of the first drive whose drive joint (GetJoint) is the joint, else -1.
    int IndexOfJoint(const TJoint* Joint) const {
        for (int I = 0; I < this->Count(); ++I)
            if (this->Items(I)->GetJoint() == Joint)
                return I;
        return -1;
    }
};
using TDriveList = TDriveListOf<TDrive>;
