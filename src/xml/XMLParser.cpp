#include "xml/XMLParser.h"

#include "platform/TextFile.h"
#include "xml/ClosingTagIndex.h"
#include "xml/XMLUtils.h"

#include <cassert>
#include <optional>
#include <unordered_map>

namespace {

// Removes the marks of an element without content ("a/", "!--", "?xml?") from a head.
// Comments, declarations and document types so become empty elements.
bool StripEmptyMarks(std::string_view& Head) {
    bool Empty = false;
    if (Head.ends_with('/')) {
        Head.remove_suffix(1);
        Empty = true;
    }
    if (Head.starts_with('!')) {
        Head.remove_prefix(1);
        Empty = true;
    } else if (Head.starts_with('?')) {
        Head.remove_prefix(1);
        if (Head.ends_with('?'))
            Head.remove_suffix(1);
        Empty = true;
    }
    return Empty;
}

std::size_t SkipBlanks(std::string_view S, std::size_t Pos) {
    while (Pos < S.size() && static_cast<unsigned char>(S[Pos]) <= 32)
        ++Pos;
    return Pos;
}

// What every level of one parse shares: the text and the closing tags found in it.
struct TParseText {
    TXMLCodec* Codec;
    std::string_view Text;
    TClosingTagIndex Closings;
};

// The parse of [Begin, End) of the text into a parent tag; Level is the depth of the tags it
// creates. Every level reads the one text, so memory stays linear in its size.
class TParseRun {
public:
    TParseRun(TParseText& AShared, std::size_t Begin, std::size_t End, int ALevel)
        : FShared(AShared), FText(AShared.Text.substr(0, End)), FPos(Begin), FLevel(ALevel) {}

    bool Run(TXMLTag& Parent) {
        bool Result = false;
        while (FPos < FText.size()) {
            // A failed step gives up what it was reading; the next one goes on behind it.
            try {
                Result = Step(Parent);
            } catch (const std::exception&) {
                Result = false;
            }
        }
        return Result;
    }

private:
    void AddText(TXMLTag& Parent, std::string_view Text) {
        Parent.Items().AddText(FShared.Codec ? FShared.Codec->Decode(std::string(Text))
                                             : UnescapeMarkup(Text));
    }

    bool Step(TXMLTag& Parent) {
        const std::size_t Lt = FText.find('<', FPos);
        const std::size_t Gt = Lt == std::string_view::npos ? Lt : FText.find('>', Lt);
        if (Gt == std::string_view::npos) {
            // Plain text, or a "<" that no ">" follows: the rest is one text node.
            const std::string_view Rest = FText.substr(FPos);
            FPos = FText.size();
            AddText(Parent, Rest);
            return Lt == std::string_view::npos;
        }
        const std::string_view Pre = TrimView(FText.substr(FPos, Lt - FPos));
        FPos = Lt;
        if (!Pre.empty())
            AddText(Parent, Pre);

        std::string_view Head = TrimView(FText.substr(Lt + 1, Gt - Lt - 1));
        FPos = SkipBlanks(FText, Gt + 1);
        const bool Empty = StripEmptyMarks(Head);
        const std::size_t Blank = Head.find(' ');
        const std::string_view Name =
            Blank == std::string_view::npos ? Head : TrimView(Head.substr(0, Blank));
        const std::string_view Attributes =
            Blank == std::string_view::npos ? std::string_view() : TrimView(Head.substr(Blank));
        if (Name.empty())
            return false;
        // An element nested too deep is dropped as a whole; what follows it is read on.
        const bool TooDeep = FLevel > TXMLParser::MaxDepth;
        if (Empty) {
            if (TooDeep)
                return false;
            TXMLTag::CreateNamed(Parent, std::string(Name))->Attributes().SetText(Attributes);
            return true;
        }
        const std::size_t Close = FShared.Closings.Find(Name, FPos, FText.size());
        if (Close == std::string_view::npos)
            return false; // no closing tag: the content is read on as siblings
        const std::size_t InnerBegin = FPos;
        const std::size_t CloseEnd = FText.find('>', Close);
        // A closing tag without ">" stays and becomes text in the next step.
        FPos = CloseEnd == std::string_view::npos ? Close : CloseEnd + 1;
        if (TooDeep)
            return false;

        TXMLTag* Tag = TXMLTag::CreateNamed(Parent, std::string(Name));
        Tag->Attributes().SetText(Attributes);
        TParseRun(FShared, InnerBegin, Close, FLevel + 1).Run(*Tag);
        return true;
    }

    TParseText& FShared;
    std::string_view FText; // the whole text up to the end of this level
    std::size_t FPos;
    int FLevel;
};

} // namespace

// --- TXMLItems ---

TXMLItems::~TXMLItems() {
    Clear();
}

int TXMLItems::Add(std::unique_ptr<TXMLBase> Node) {
    assert(Node);
    FItems.push_back(std::move(Node));
    return GetCount() - 1;
}

TXMLText* TXMLItems::AddText(const std::string& Text) {
    auto Node = std::make_unique<TXMLText>(Text);
    TXMLText* Result = Node.get();
    Add(std::move(Node));
    return Result;
}

void TXMLItems::Clear() {
    for (auto& Node : FItems)
        Node.reset();
    FItems.clear();
}

TXMLBase* TXMLItems::GetItem(int Index) const {
    return FItems.at(Index).get();
}

TXMLTag* TXMLItems::GetTag(int Index) const {
    for (const auto& Node : FItems)
        if (auto* Tag = dynamic_cast<TXMLTag*>(Node.get()); Tag && Index-- == 0)
            return Tag;
    return nullptr;
}

int TXMLItems::GetTagCount() const {
    int Count = 0;
    for (const auto& Node : FItems)
        Count += dynamic_cast<const TXMLTag*>(Node.get()) != nullptr;
    return Count;
}

std::vector<TXMLTag*> TXMLItems::Tags() const {
    std::vector<TXMLTag*> Result;
    for (const auto& Node : FItems)
        if (auto* Tag = dynamic_cast<TXMLTag*>(Node.get()))
            Result.push_back(Tag);
    return Result;
}

TXMLTag* TXMLItems::FindTag(std::string_view Name) const {
    for (const auto& Node : FItems)
        if (auto* Tag = dynamic_cast<TXMLTag*>(Node.get()); Tag && IsSameText(Tag->Name(), Name))
            return Tag;
    return nullptr;
}

std::unique_ptr<TXMLBase> TXMLItems::Delete(int Index) {
    std::unique_ptr<TXMLBase> Node = std::move(FItems.at(Index));
    FItems.erase(FItems.begin() + Index);
    return Node;
}

// --- TXMLAttributes ---

int TXMLAttributes::IndexOfName(std::string_view Name) const {
    for (int I = 0; I < Count(); ++I)
        if (IsSameText(FItems[I].first, Name))
            return I;
    return -1;
}

void TXMLAttributes::SetAttribute(const std::string& Name, const std::string& Value) {
    std::string V = ReplaceSubStr(Value, "\"", "'", true, true);
    const int I = IndexOfName(Name);
    if (I < 0)
        FItems.emplace_back(Name, std::move(V));
    else if (V.empty())
        FItems.erase(FItems.begin() + I);
    else
        FItems[I].second = std::move(V);
}

std::string TXMLAttributes::Values(std::string_view Name) const {
    const int I = IndexOfName(Name);
    return I < 0 ? std::string() : FItems[I].second;
}

std::string TXMLAttributes::GetText() const {
    std::string R;
    for (const auto& [Name, Value] : FItems)
        R += Name + "=\"" + EscapeMarkup(Value, true) + "\" ";
    return R;
}

void TXMLAttributes::SetText(std::string_view Text) {
    // Names are looked up by their folded form and removals leave a gap closed at the end, so a
    // head with many attributes reads in linear time.
    std::vector<std::optional<std::pair<std::string, std::string>>> Slots;
    std::unordered_map<std::string, std::size_t> SlotOfName;
    std::string_view Rest = Text;
    while (!Rest.empty()) {
        const std::size_t Blank = Rest.find(' ');
        const std::string_view Pair = TrimView(Rest.substr(0, Blank));
        Rest =
            Blank == std::string_view::npos ? std::string_view() : TrimView(Rest.substr(Blank + 1));
        const std::size_t Equals = Pair.find('=');
        const std::string_view Name = TrimView(Pair.substr(0, Equals));
        std::string_view Value = Equals == std::string_view::npos
                                     ? std::string_view()
                                     : TrimView(Pair.substr(Equals + 1));
        if (Value.starts_with('"'))
            Value.remove_prefix(1);
        if (Value.ends_with('"'))
            Value.remove_suffix(1);
        std::string V = ReplaceSubStr(UnescapeMarkup(Value), "\"", "'", true, true);
        const auto [It, New] = SlotOfName.try_emplace(UpperCaseASCII(Name), Slots.size());
        if (New)
            Slots.emplace_back(std::pair(std::string(Name), std::move(V)));
        else if (V.empty()) {
            Slots[It->second].reset();
            SlotOfName.erase(It);
        } else
            Slots[It->second]->second = std::move(V);
    }
    FItems.clear();
    for (auto& Slot : Slots)
        if (Slot)
            FItems.push_back(std::move(*Slot));
}

// --- TXMLTag ---

TXMLTag* TXMLTag::CreateNamed(TXMLTag& Parent, const std::string& Name) {
    auto Tag = std::make_unique<TXMLTag>(Name);
    TXMLTag* Result = Tag.get();
    Parent.Items().Add(std::move(Tag));
    return Result;
}

TXMLTag* TXMLTag::CreateWithText(TXMLTag& Parent, const std::string& Name,
                                 const std::string& Text) {
    TXMLTag* Tag = CreateNamed(Parent, Name);
    Tag->Items().AddText(Text);
    return Tag;
}

std::string TXMLTag::GetText() const {
    std::string R;
    for (int I = 0; I < FItems.GetCount(); ++I)
        if (const auto* Text = dynamic_cast<const TXMLText*>(FItems.GetItem(I)))
            R += Text->Text();
    return R;
}

TXMLTag* AddTag(TXMLTag& Parent, const std::string& Name) {
    return TXMLTag::CreateNamed(Parent, Name);
}

// --- TXMLParser ---

void TXMLParser::SetCodec(TXMLCodec* ACodec) {
    FCodec = ACodec;
}

bool TXMLParser::LoadFromFile(const std::string& FileName, TXMLTag& Root) {
    const std::vector<std::string> Lines = ReadTextFileLines(FileName);
    std::size_t I = 0;
    while (I < Lines.size() && Lines[I].find("<?xml") == std::string::npos)
        ++I;
    if (I + 1 >= Lines.size())
        throw EXMLException("\"" + FileName + "\" ist keine gültige XML-Datei!");
    std::string Text;
    for (++I; I < Lines.size(); ++I)
        Text += Trim(Lines[I]);
    return Parse(Text, Root);
}

bool TXMLParser::Parse(const std::string& Text, TXMLTag& Parent) {
    std::string Clean = ReplaceSubStr(Text, "\n", "", true, false);
    Clean = ReplaceSubStr(Clean, "\r", "", true, false);
    TParseText Shared{FCodec, Clean, TClosingTagIndex(Clean)};
    return TParseRun(Shared, 0, Clean.size(), 1).Run(Parent);
}

void TXMLParser::SaveToFile(const TXMLBase& Root, const std::string& FileName, bool WrapRoot,
                            bool Standalone) {
    std::vector<std::string> Lines{Standalone ? "<?xml version=\"1.0\" standalone=\"yes\"?>"
                                              : "<?xml version=\"1.0\"?>"};
    WriteNode(Root, Lines, 0, WrapRoot);
    WriteTextFileLines(FileName, Lines, "\r\n");
}

std::string TXMLParser::EncodeText(const std::string& Text) {
    return FCodec ? FCodec->Encode(Text) : EscapeMarkup(Text, false);
}

void TXMLParser::WriteNode(const TXMLBase& Node, std::vector<std::string>& Lines, int Indent,
                           bool WrapRoot) {
    const auto* Tag = dynamic_cast<const TXMLTag*>(&Node);
    if (WrapRoot || !Tag) {
        WriteChild(Node, Lines, Indent);
        return;
    }
    for (int I = 0; I < Tag->Items().GetCount(); ++I)
        WriteChild(*Tag->Items().GetItem(I), Lines, Indent);
}

void TXMLParser::WriteChild(const TXMLBase& Node, std::vector<std::string>& Lines, int Indent) {
    const std::string Ind(static_cast<std::size_t>(Indent), ' ');
    const auto* Tag = dynamic_cast<const TXMLTag*>(&Node);
    if (!Tag) {
        Lines.push_back(Ind + EncodeText(static_cast<const TXMLText&>(Node).Text()));
        return;
    }
    std::string Head = Trim("<" + Tag->Name() + " " + Tag->Attributes().GetText());
    if (Tag->Items().GetCount() == 0) {
        Lines.push_back(Ind + Head + " />");
        return;
    }
    Head += ">";
    const std::string Close = "</" + Tag->Name() + ">";
    const std::string One = Head + EncodeText(Tag->GetText()) + Close;
    if (Tag->Items().GetTagCount() == 0 && UTF16Length(One) <= 80) {
        Lines.push_back(Ind + One);
        return;
    }
    Lines.push_back(Ind + Head);
    WriteNode(*Tag, Lines, Indent + 2, false);
    Lines.push_back(Ind + Close);
}
