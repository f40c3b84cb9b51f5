#include "xml/XMLPrefs.h"

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

void TPreferenceItem::SaveToTag(TXMLTag& CategoryTag) const {
    TXMLTag& Tag = ChildOrNew(CategoryTag, FName);
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
    for (const auto& Item : FItems)
        if (Item->Category() == Category && Item->Name() == Name)
            return Item.get();
    return nullptr;
}

TPreferenceItem* TCustomXMLPreferences::AddItem(std::unique_ptr<TPreferenceItem> Item) {
    FItems.push_back(std::move(Item));
    UpdateCategories();
    return FItems.back().get();
}

TPreferenceItem* TCustomXMLPreferences::GetItem(int Index) const {
    return FItems.at(Index).get();
}

std::vector<TPreferenceItem*>
TCustomXMLPreferences::GetCategoryItems(const std::string& Category) const {
    std::vector<TPreferenceItem*> Result;
    for (const auto& Item : FItems)
        if (Item->Category() == Category)
            Result.push_back(Item.get());
    return Result;
}

void TCustomXMLPreferences::UpdateCategories() {
    FCategories.clear();
    for (const auto& Item : FItems) {
        bool Known = false;
        for (const std::string& C : FCategories)
            Known = Known || IsSameText(C, Item->Category());
        if (!Known)
            FCategories.push_back(Item->Category());
    }
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
    } catch (...) {
        // An unreadable file or no XML: the registered values stay in force.
    }
    if (!FRoot)
        FRoot = std::make_unique<TXMLTag>("data");
    FCategoriesTag = &ChildOrNew(*FRoot, "categories");
    for (int I = 0; I < FCategoriesTag->Items().GetTagCount(); ++I)
        LoadCategory(*FCategoriesTag->Items().GetTag(I));
}

void TCustomXMLPreferences::LoadCategory(const TXMLTag& CategoryTag) {
    for (int I = 0; I < CategoryTag.Items().GetTagCount(); ++I) {
        const TXMLTag& Tag = *CategoryTag.Items().GetTag(I);
        if (TPreferenceItem* Item = FindItem(CategoryTag.Name(), Tag.Name()))
            Item->LoadFromTag(Tag);
        else
            AddItem(std::make_unique<TPreferenceItem>(CategoryTag.Name(), Tag.Name()));
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
        for (const std::string& Category : FCategories)
            SaveCategory(*FCategoriesTag, Category);
        // Also the missing parents, so a first save into ~/.config/koplar works.
        const auto Folder = std::filesystem::path(FFileName).parent_path();
        if (!Folder.empty())
            std::filesystem::create_directories(Folder);
        FParser->SaveToFile(*FRoot, FFileName, true, true);
        return true;
    } catch (...) {
        // Saving reports nothing; the file is replaced atomically, so the old one is intact.
        return false;
    }
}

void TCustomXMLPreferences::SaveCategory(TXMLTag& ParentTag, const std::string& Category) {
    TXMLTag& Tag = ChildOrNew(ParentTag, Category);
    for (const TPreferenceItem* Item : GetCategoryItems(Category)) {
        if (Item->NoSave())
            continue;
        try {
            Item->SaveToTag(Tag);
        } catch (...) {
            // One item that cannot be saved does not keep the others out of the file.
        }
    }
}
