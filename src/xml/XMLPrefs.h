// The typed, categorised settings store: every setting is a Category/Name pair with a default and
// a current value, kept in an XML tree that is read from and written to the settings file.
#pragma once

#include "platform/Object.h"
#include "platform/Types.h"
#include "xml/Variant.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TXMLParser;
class TXMLTag;

class TPreferenceItem : public TObject {
public:
    TPreferenceItem(std::string Category, std::string Name, bool NoSave = false);

    const std::string& Category() const { return FCategory; }
    const std::string& Name() const { return FName; }
    const TVariant& Default() const { return FDefault; }
    const TVariant& Value() const { return FValue; }
    // Never written to the settings file (the print code's temporary settings).
    bool NoSave() const { return FNoSave; }

    // Sets the value; a value of another type than the default becomes the default as well.
    void SetValue(const TVariant& V);
    // Puts back a state taken earlier, the default and its type included.
    void RestoreState(const TVariant& Default, const TVariant& Value) {
        FDefault = Default;
        FValue = Value;
    }

    // Replaces the children of the item's element by its default, value and type code.
    void SaveToTag(TXMLTag& ItemTag) const;
    // Takes the value of the item's element when its text converts to its recorded type;
    // otherwise the text is kept as a string value and the default stays in effect.
    void LoadFromTag(const TXMLTag& ItemTag);

private:
    std::string FCategory;
    std::string FName;
    TVariant FDefault;
    TVariant FValue;
    bool FNoSave = false;
};

class TCustomXMLPreferences : public TObject {
public:
    TCustomXMLPreferences();
    ~TCustomXMLPreferences() override;

    // The value of the setting, or its default while the value has another type (a text read
    // back that did not convert). A key that has no item gives the byte 0.
    TVariant GetValue(const std::string& Category, const std::string& Name) const;
    // Creates the item when there is none, so the first call registers the setting and its type.
    void SetValue(const std::string& Category, const std::string& Name, const TVariant& V);

    // Typed shorthands for GetValue.
    std::int32_t GetInteger(const std::string& Category, const std::string& Name) const {
        return GetValue(Category, Name).AsInteger();
    }
    double GetDouble(const std::string& Category, const std::string& Name) const {
        return GetValue(Category, Name).AsDouble();
    }
    bool GetBoolean(const std::string& Category, const std::string& Name) const {
        return GetValue(Category, Name).AsBoolean();
    }
    std::string GetString(const std::string& Category, const std::string& Name) const {
        return GetValue(Category, Name).AsString();
    }
    TColor GetColor(const std::string& Category, const std::string& Name) const {
        return GetValue(Category, Name).AsLongWord();
    }

    // Exact, case-sensitive lookup; nullptr when there is no such item.
    TPreferenceItem* FindItem(const std::string& Category, const std::string& Name) const;
    // The store keeps every item it was given until it is destroyed.
    TPreferenceItem* AddItem(std::unique_ptr<TPreferenceItem> Item);
    TPreferenceItem* GetItem(int Index) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    // The items whose category equals Category exactly, in registration order (not owned).
    std::vector<TPreferenceItem*> GetCategoryItems(const std::string& Category) const;
    // Category names in order of first occurrence; names differing only in ASCII case share one.
    const std::vector<std::string>& Categories() const { return FCategories; }

    const std::string& FileName() const { return FFileName; }
    TXMLTag* Root() const { return FRoot.get(); }
    TXMLTag* CategoriesTag() const { return FCategoriesTag; }

    // Names the file and reads it when it exists; reports nothing. An unreadable file leaves the
    // registered values in force with a fresh tree.
    virtual void LoadFromFile(const std::string& AFileName);
    // Writes the tree to AFileName, or to the named file when it is empty; nothing when no file
    // was ever named. The file is replaced as a whole, so a failed save keeps the previous one.
    // Returns whether the file was written; nothing else is reported.
    bool SaveToFile(const std::string& AFileName = "");

protected:
    void LoadCategory(const TXMLTag& CategoryTag);
    void SaveCategory(TXMLTag& CategoryTag, const std::string& Category);

private:
    // The items of one category (exact name), in registration order and by name.
    struct TCategoryItems {
        std::vector<TPreferenceItem*> Items;
        std::unordered_map<std::string, TPreferenceItem*> ByName; // the first of each name
    };

    std::vector<std::unique_ptr<TPreferenceItem>> FItems;
    std::unordered_map<std::string, TCategoryItems> FItemsByCategory;
    std::vector<std::string> FCategories;
    std::unordered_set<std::string> FFoldedCategories; // upper-case names of FCategories
    std::string FFileName;
    std::unique_ptr<TXMLParser> FParser;
    TXMLTag* FCategoriesTag = nullptr;
    std::unique_ptr<TXMLTag> FRoot;
};
