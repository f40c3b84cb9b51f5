#include "xml/XMLParser.h"

#include "platform/TextFile.h"
#include "xml/XMLUtils.h"

#include <cassert>

namespace {

// Too deep nesting ends the whole parse instead of only the step that met it.
class EXMLNestingError : public EXMLException {
public:
    EXMLNestingError()
        : EXMLException("Die XML-Daten sind tiefer als " + std::to_string(TXMLParser::MaxDepth) +
                        " Ebenen verschachtelt!") {}
};

bool StartsWithText(std::string_view S, std::size_t Pos, std::string_view Prefix) {
    return Pos <= S.size() && S.size() - Pos >= Prefix.size() &&
           IsSameText(S.substr(Pos, Prefix.size()), Prefix);
}

// The position of the "<" of the tag closing Name in S from From on; npos when there is none.
// Every opening tag beginning with Name counts, also a longer name and an empty element.
std::size_t FindClosingTag(std::string_view S, std::size_t From, std::string_view Name) {
    int Depth = 1;
    for (std::size_t I = From; I < S.size(); ++I) {
        if (S[I] != '<')
            continue;
        if (StartsWithText(S, I + 1, Name))
            ++Depth;
        if (StartsWithText(S, I + 1, "/") && StartsWithText(S, I + 2, Name))
            --Depth;
        if (Depth <= 0)
            return I;
    }
    return std::string_view::npos;
}

// Removes the marks of an element without content ("a/", "!--", "?xml?") from a head.
// Comments, declarations and document types so become empty elements.
bool StripEmptyMarks(std::string& Head) {
    bool Empty = false;
    if (Head.ends_with('/')) {
        Head.pop_back();
        Empty = true;
    }
    if (Head.starts_with('!')) {
        Head.erase(0, 1);
        Empty = true;
    } else if (Head.starts_with('?')) {
        Head.erase(0, 1);
        if (Head.ends_with('?'))
            Head.pop_back();
        Empty = true;
    }
    return Empty;
}

std::size_t SkipBlanks(std::string_view S, std::size_t Pos) {
    while (Pos < S.size() && static_cast<unsigned char>(S[Pos]) <= 32)
        ++Pos;
    return Pos;
}

// One parse of a text into a parent tag; Level is the depth of the tags it creates.
class TParseRun {
public:
    TParseRun(TXMLCodec* ACodec, std::string Text, int ALevel)
        : FCodec(ACodec), FText(std::move(Text)), FLevel(ALevel) {}

    bool Run(TXMLTag& Parent) {
        bool Result = false;
        while (FPos < FText.size()) {
            // A failed step gives up what it was reading; the next one goes on behind it.
            try {
                Result = Step(Parent);
            } catch (const EXMLNestingError&) {
                throw;
            } catch (const std::exception&) {
                Result = false;
            }
        }
        return Result;
    }

private:
    void AddText(TXMLTag& Parent, const std::string& Text) {
        Parent.Items().AddText(FCodec ? FCodec->Decode(Text) : UnescapeMarkup(Text));
    }

    bool Step(TXMLTag& Parent) {
        const std::string_view Text = FText;
        const std::size_t Lt = Text.find('<', FPos);
        const std::size_t Gt = Lt == std::string_view::npos ? Lt : Text.find('>', Lt);
        if (Gt == std::string_view::npos) {
            // Plain text, or a "<" that no ">" follows: the rest is one text node.
            const std::string Rest(Text.substr(FPos));
            FPos = Text.size();
            AddText(Parent, Rest);
            return Lt == std::string_view::npos;
        }
        const std::string Pre = Trim(Text.substr(FPos, Lt - FPos));
        FPos = Lt;
        if (!Pre.empty())
            AddText(Parent, Pre);

        std::string Head = Trim(Text.substr(Lt + 1, Gt - Lt - 1));
        FPos = SkipBlanks(Text, Gt + 1);
        const bool Empty = StripEmptyMarks(Head);
        const std::size_t Blank = Head.find(' ');
        const std::string Name = Blank == std::string::npos ? Head : Trim(Head.substr(0, Blank));
        const std::string Attributes = Blank == std::string::npos ? "" : Trim(Head.substr(Blank));
        if (Name.empty())
            return false;
        if (FLevel > TXMLParser::MaxDepth)
            throw EXMLNestingError();

        if (Empty) {
            TXMLTag::CreateNamed(Parent, Name)->Attributes().SetText(Attributes);
            return true;
        }
        const std::size_t Close = FindClosingTag(Text, FPos, Name);
        if (Close == std::string_view::npos)
            return false; // no closing tag: the content is read on as siblings
        std::string Inner(Text.substr(FPos, Close - FPos));
        const std::size_t CloseEnd = Text.find('>', Close);
        // A closing tag without ">" stays and becomes text in the next step.
        FPos = CloseEnd == std::string_view::npos ? Close : CloseEnd + 1;

        TXMLTag* Tag = TXMLTag::CreateNamed(Parent, Name);
        Tag->Attributes().SetText(Attributes);
        TParseRun(FCodec, std::move(Inner), FLevel + 1).Run(*Tag);
        return true;
    }

    TXMLCodec* FCodec;
    std::string FText;
    std::size_t FPos = 0;
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

void TXMLAttributes::SetText(const std::string& Text) {
    Clear();
    std::string Rest = Text;
    while (!Rest.empty()) {
        const std::string Pair = Trim(StrPart(Rest, " ", true, false));
        const std::string Next = Trim(StrPart(Rest, " ", false, true));
        std::string Value = Trim(StrPart(Pair, "=", false, true));
        const std::string Name = Trim(StrPart(Pair, "=", true, false));
        if (!Value.empty() && Value.front() == '"')
            Value.erase(0, 1);
        if (!Value.empty() && Value.back() == '"')
            Value.pop_back();
        SetAttribute(Name, UnescapeMarkup(Value));
        Rest = Next;
    }
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
    if (FCodec)
        FCodec->RemoveFreeNotification(this);
    FCodec = ACodec;
    if (FCodec)
        FCodec->FreeNotification(this);
}

void TXMLParser::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FCodec)
        FCodec = nullptr;
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
    return TParseRun(FCodec, std::move(Clean), 1).Run(Parent);
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
