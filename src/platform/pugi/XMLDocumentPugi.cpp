// The document object over pugixml: the one place that includes its headers.
#include "platform/TextFile.h"
#include "platform/XMLDocument.h"

#include <pugixml.hpp>

#include <fstream>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

const char* ParseFault(pugi::xml_parse_status Status) {
    switch (Status) {
    case pugi::status_out_of_memory:
        return "Zu wenig Speicher";
    case pugi::status_no_document_element:
        return "Die Datei enthält kein XML-Element";
    case pugi::status_end_element_mismatch:
        return "Ein schließendes Element passt nicht zum öffnenden";
    case pugi::status_bad_attribute:
        return "Ein Attribut ist fehlerhaft";
    default:
        return "Kein wohlgeformtes XML";
    }
}

pugi::xml_node Node(TXMLNode N) {
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(N.Handle()));
}

TXMLNode Handle(pugi::xml_node N) {
    return TXMLNode(N.internal_object());
}

class TStringWriter : public pugi::xml_writer {
public:
    void write(const void* Data, size_t Size) override {
        Text.append(static_cast<const char*>(Data), Size);
    }
    std::string Text;
};

class TPugiDocument : public TXMLDocument {
public:
    void SetActive(bool Value) override {
        FActive = Value;
        if (!Value)
            Reset();
    }
    bool Active() const override { return FActive; }

    TXMLNode Document() const override { return Handle(FDoc); }

    void SetDeclaration(const std::string& Version, const std::string& Encoding,
                        const std::string& Standalone) override {
        pugi::xml_node Decl = FDoc.first_child().type() == pugi::node_declaration
                                  ? FDoc.first_child()
                                  : FDoc.prepend_child(pugi::node_declaration);
        SetAttr(Decl, "version", Version);
        SetAttr(Decl, "encoding", Encoding);
        SetAttr(Decl, "standalone", Standalone);
    }

    TXMLNode AddChild(TXMLNode Parent, const std::string& Tag) override {
        return Handle(Node(Parent).append_child(Tag.c_str()));
    }

    void SetAttribute(TXMLNode Element, const std::string& Name,
                      const std::string& Value) override {
        SetAttr(Node(Element), Name, Value);
    }

    void SetText(TXMLNode Element, const std::string& Value) override {
        Node(Element).text().set(Value.c_str());
    }

    void SaveToFile(const std::string& FileName) const override {
        std::string Text = SaveToXML();
        if (Text.size() > MaxXMLFileSize)
            throw EXMLDocumentTooLarge("Die Datei würde größer als " +
                                       std::to_string(MaxXMLFileSize / (1024 * 1024)) +
                                       " MiB, die größte, die sich öffnen lässt.");
        WriteTextFileLines(FileName, {std::move(Text)}, "");
    }

    // One line without indentation; the declaration is the explicit node, never an implicit one.
    std::string SaveToXML() const override {
        TStringWriter Writer;
        FDoc.save(Writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
        return std::move(Writer.Text);
    }

    void LoadFromFile(const std::string& FileName) override {
        Reset();
        std::string Bytes = ReadAll(FileName);
        pugi::xml_parse_result Result =
            FDoc.load_buffer(Bytes.data(), Bytes.size(), pugi::parse_default, pugi::encoding_auto);
        if (!Result) {
            Reset();
            throw EXMLDocumentError(std::string(ParseFault(Result.status)) + " (Byte " +
                                    std::to_string(Result.offset) + ").");
        }
    }

    TXMLNode ChildByName(TXMLNode Parent, const std::string& Tag) const override {
        return Handle(Node(Parent).child(Tag.c_str()));
    }

    int ChildCount(TXMLNode Parent) const override {
        int Count = 0;
        for (pugi::xml_node C = FirstElement(Node(Parent)); C; C = NextElement(C))
            ++Count;
        return Count;
    }

    // Walking forward from the child asked for last under the same parent keeps a loop over all
    // children linear, also while the loop reads each child's own children.
    TXMLNode Child(TXMLNode Parent, int Index) const override {
        if (Index < 0)
            return {};
        pugi::xml_node P = Node(Parent);
        TCursor& Cursor = FCursors[P.internal_object()];
        pugi::xml_node C = Cursor.Child;
        int At = Cursor.Index;
        if (!C || At > Index) {
            C = FirstElement(P);
            At = 0;
        }
        for (; C && At < Index; ++At)
            C = NextElement(C);
        Cursor = {C, At};
        return Handle(C);
    }

    std::string TagName(TXMLNode Element) const override { return Node(Element).name(); }

    bool HasAttribute(TXMLNode Element, const std::string& Name) const override {
        return static_cast<bool>(Node(Element).attribute(Name.c_str()));
    }

    std::string Attribute(TXMLNode Element, const std::string& Name) const override {
        return Node(Element).attribute(Name.c_str()).value();
    }

    std::string Text(TXMLNode Element) const override { return Node(Element).child_value(); }

private:
    static void SetAttr(pugi::xml_node N, const std::string& Name, const std::string& Value) {
        pugi::xml_attribute A = N.attribute(Name.c_str());
        if (!A)
            A = N.append_attribute(Name.c_str());
        A.set_value(Value.c_str());
    }

    static pugi::xml_node FirstElement(pugi::xml_node P) {
        pugi::xml_node C = P.first_child();
        while (C && C.type() != pugi::node_element)
            C = C.next_sibling();
        return C;
    }

    static pugi::xml_node NextElement(pugi::xml_node C) {
        do
            C = C.next_sibling();
        while (C && C.type() != pugi::node_element);
        return C;
    }

    static std::string ReadAll(const std::string& FileName) {
        std::ifstream In(FileName, std::ios::binary | std::ios::ate);
        if (!In)
            throw EXMLDocumentError("Die Datei \"" + FileName + "\" kann nicht geöffnet werden.");
        std::streamoff Size = In.tellg();
        if (Size < 0 || Size > static_cast<std::streamoff>(MaxXMLFileSize))
            throw EXMLDocumentError("Die Datei \"" + FileName + "\" ist zu groß.");
        std::string Bytes(static_cast<std::size_t>(Size), '\0');
        In.seekg(0);
        if (!In.read(Bytes.data(), Size))
            throw EXMLDocumentError("Die Datei \"" + FileName + "\" kann nicht gelesen werden.");
        return Bytes;
    }

    void Reset() {
        FDoc.reset();
        FCursors.clear();
    }

    bool FActive = false;
    pugi::xml_document FDoc;
    struct TCursor {
        pugi::xml_node Child;
        int Index = 0;
    };
    // The child asked for last, per parent.
    mutable std::unordered_map<const void*, TCursor> FCursors;
};

} // namespace

std::unique_ptr<TXMLDocument> CreateXMLDocument() {
    return std::make_unique<TPugiDocument>();
}
