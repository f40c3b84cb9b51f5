#include "xml/XMLPrefs.h"

#include "platform/TextFile.h"
#include "xml/XMLParser.h"
#include "xml/XMLUtils.h"

#include <filesystem>
#include <system_error>

namespace {

std::string ChildText(const TXMLTag& Tag, const char* Name) {
    const TXMLTag* Child = Tag.Items().FindTag(Name);
    return Child ? Child->GetText() : std::string();
}

TXMLTag& ChildOrNew(TXMLTag& Parent, const std::string& Name) {
    TXMLTag* Child = Parent.Items().FindTag(Name);
    return Child ? *Child : *TXMLTag::CreateNamed(Parent, Name);
}

// The child tags of a parent by name (ASCII case ignored, the first of each name), for writing
// many children without a search through all of them for each.
class TChildTags {
public:
    explicit TChildTags(TXMLTag& Parent) : FParent(Parent) {
        for (TXMLTag* Tag : Parent.Items().Tags())
            FByName.try_emplace(UpperCaseASCII(Tag->Name()), Tag);
    }

    TXMLTag& ChildOrNew(const std::string& Name) {
        const auto [It, New] = FByName.try_emplace(UpperCaseASCII(Name), nullptr);
        if (New)
            It->second = TXMLTag::CreateNamed(FParent, Name);
        return *It->second;
    }

private:
    TXMLTag& FParent;
    std::unordered_map<std::string, TXMLTag*> FByName;
};

// Takes the first child tag named "data" out of the parsed document; nullptr when there is none.
std::unique_ptr<TXMLTag> TakeDataTag(TXMLTag& Document) {
    TXMLItems& Items = Document.Items();
    for (int I = 0; I < Items.GetCount(); ++I) {
        auto* Tag = dynamic_cast<TXMLTag*>(Items.GetItem(I));
        if (Tag && IsSameText(Tag->Name(), "data")) {
            std::unique_ptr<TXMLBase> Node = Items.Delete(I);
            Node.release();
            return std::unique_ptr<TXMLTag>(Tag);
        }
    }
    return nullptr;
}

} // namespace

TPreferenceItem::TPreferenceItem(std::string Category, std::string Name, bool NoSave)
    : FCategory(std::move(Category)), FName(std::move(Name)), FNoSave(NoSave) {}

void TPreferenceItem::SetValue(const TVariant& V) {
    FValue = V;
    if (!FValue.SameType(FDefault))
        FDefault = FValue;
}

void TPreferenceItem::SaveToTag(TXMLTag& Tag) const {
    Tag.Items().Clear();
    TXMLTag::CreateWithText(Tag, "Default", FDefault.AsString());
    TXMLTag::CreateWithText(Tag, "Value", FValue.AsString());
    TXMLTag::CreateWithText(Tag, "VarType", std::to_string(FDefault.VarType()));
}

void TPreferenceItem::LoadFromTag(const TXMLTag& ItemTag) {
    const std::string Text = ChildText(ItemTag, "Value");
    const auto Code = TVariant::FromText(ChildText(ItemTag, "VarType"), varInteger);
    // Only the numeric and Boolean codes convert; empty, string and unknown codes keep the text.
    if (Code)
        if (const auto V = TVariant::FromText(Text, static_cast<TVarType>(Code->AsInteger()))) {
            SetValue(*V);
            return;
        }
    FValue = TVariant(Text);
}

TCustomXMLPreferences::TCustomXMLPreferences()
    : FParser(std::make_unique<TXMLParser>()), FRoot(std::make_unique<TXMLTag>("data")) {}

TCustomXMLPreferences::~TCustomXMLPreferences() = default;

TVariant TCustomXMLPreferences::GetValue(const std::string& Category,
                                         const std::string& Name) const {
    const TPreferenceItem* Item = FindItem(Category, Name);
    if (!Item)
        return TVariant::Byte(0);
    return Item->Value().SameType(Item->Default()) ? Item->Value() : Item->Default();
}

void TCustomXMLPreferences::SetValue(const std::string& Category, const std::string& Name,
                                     const TVariant& V) {
    TPreferenceItem* Item = FindItem(Category, Name);
    if (!Item)
        Item = AddItem(std::make_unique<TPreferenceItem>(Category, Name));
    Item->SetValue(V);
}

TPreferenceItem* TCustomXMLPreferences::FindItem(const std::string& Category,
                                                 const std::string& Name) const {
    const auto InCategory = FItemsByCategory.find(Category);
    if (InCategory == FItemsByCategory.end())
        return nullptr;
    const auto Found = InCategory->second.ByName.find(Name);
    return Found == InCategory->second.ByName.end() ? nullptr : Found->second;
}

TPreferenceItem* TCustomXMLPreferences::AddItem(std::unique_ptr<TPreferenceItem> Item) {
    TPreferenceItem* Added = FItems.emplace_back(std::move(Item)).get();
    TCategoryItems& InCategory = FItemsByCategory[Added->Category()];
    InCategory.Items.push_back(Added);
    InCategory.ByName.try_emplace(Added->Name(), Added);
    if (FFoldedCategories.insert(UpperCaseASCII(Added->Category())).second)
        FCategories.push_back(Added->Category());
    return Added;
}

TPreferenceItem* TCustomXMLPreferences::GetItem(int Index) const {
    return FItems.at(Index).get();
}

std::vector<TPreferenceItem*>
TCustomXMLPreferences::GetCategoryItems(const std::string& Category) const {
    const auto InCategory = FItemsByCategory.find(Category);
    return InCategory == FItemsByCategory.end() ? std::vector<TPreferenceItem*>()
                                                : InCategory->second.Items;
}

void TCustomXMLPreferences::LoadFromFile(const std::string& AFileName) {
    FFileName = AFileName;
    std::error_code Ec;
    if (!std::filesystem::exists(AFileName, Ec))
        return;
    FCategoriesTag = nullptr;
    FRoot.reset();
    auto Document = std::make_unique<TXMLTag>();
    try {
        FParser->LoadFromFile(AFileName, *Document);
        FRoot = TakeDataTag(*Document);
    } catch (const EInOutError&) {
        // An unreadable file: the registered values stay in force.
    } catch (const EXMLException&) {
        // No XML: the same.
    }
    if (!FRoot)
        FRoot = std::make_unique<TXMLTag>("data");
    FCategoriesTag = &ChildOrNew(*FRoot, "categories");
    for (const TXMLTag* CategoryTag : FCategoriesTag->Items().Tags())
        LoadCategory(*CategoryTag);
}

void TCustomXMLPreferences::LoadCategory(const TXMLTag& CategoryTag) {
    for (const TXMLTag* Tag : CategoryTag.Items().Tags()) {
        if (TPreferenceItem* Item = FindItem(CategoryTag.Name(), Tag->Name()))
            Item->LoadFromTag(*Tag);
        else
            AddItem(std::make_unique<TPreferenceItem>(CategoryTag.Name(), Tag->Name()));
    }
}

bool TCustomXMLPreferences::SaveToFile(const std::string& AFileName) {
    if (!AFileName.empty())
        FFileName = AFileName;
    if (FFileName.empty())
        return false;
    try {
        if (!FCategoriesTag)
            FCategoriesTag = TXMLTag::CreateNamed(*FRoot, "categories");
        TChildTags CategoryTags(*FCategoriesTag);
        for (const std::string& Category : FCategories)
            SaveCategory(CategoryTags.ChildOrNew(Category), Category);
        // Also the missing parents, so a first save into ~/.config/koplar works.
        const auto Folder = std::filesystem::path(FFileName).parent_path();
        if (!Folder.empty())
            std::filesystem::create_directories(Folder);
        FParser->SaveToFile(*FRoot, FFileName, true, true);
        return true;
    } catch (const std::filesystem::filesystem_error&) {
        // A folder that cannot be made: saving reports nothing.
    } catch (const EInOutError&) {
        // A file that cannot be written: it is replaced atomically, so the old one is intact.
    }
    return false;
}

void TCustomXMLPreferences::SaveCategory(TXMLTag& CategoryTag, const std::string& Category) {
    TChildTags ItemTags(CategoryTag);
    const auto InCategory = FItemsByCategory.find(Category);
    if (InCategory == FItemsByCategory.end())
        return;
    for (const TPreferenceItem* Item : InCategory->second.Items)
        if (!Item->NoSave())
            Item->SaveToTag(ItemTags.ChildOrNew(Item->Name()));
}
