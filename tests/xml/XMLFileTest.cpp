#include "platform/TextFile.h"
#include "platform/TextFileTempDir.h"
#include "xml/XMLParser.h"
#include "xml/XMLTreeDump.h"

#include <gtest/gtest.h>

#include <string>

class XMLFile : public TTempDir {
protected:
    TXMLParser Parser;
};

namespace {
const std::string ShortPath = "/home/anna/Tom & Jerry <alt>/Gr\xC3\xB6\xC3\x9F"
                              "e 2.kxw";
const std::string LongPath =
    "/home/anna/Mechanismen mit langem Namen/Viergelenk und Schubkurbel 2.kxw";

void AddItem(TXMLTag& Category, const std::string& Name, const std::string& Default,
             const std::string& Value, const std::string& VarType) {
    TXMLTag* Item = AddTag(Category, Name);
    TXMLTag::CreateWithText(*Item, "Default", Default);
    TXMLTag::CreateWithText(*Item, "Value", Value);
    TXMLTag::CreateWithText(*Item, "VarType", VarType);
}

// A tree shaped like the settings file.
std::unique_ptr<TXMLTag> SettingsTree() {
    auto Data = std::make_unique<TXMLTag>("data");
    TXMLTag* Recent = AddTag(*Data, "recent_files");
    TXMLTag::CreateWithText(*Recent, "file", ShortPath);
    TXMLTag::CreateWithText(*Recent, "file", LongPath);
    TXMLTag* Categories = AddTag(*Data, "categories");
    TXMLTag* Joints = AddTag(*Categories, "Joints");
    AddItem(*Joints, "Radius", "5", "7", "17");
    AddItem(*Joints, "Caption", "",
            "Gelenk \xC3\xBC"
            "ber <A> & B\r\nZeile 2",
            "0");
    AddTag(*Categories, "Printer_Temp");
    AddTag(*Data, "recent_files_empty");
    return Data;
}
} // namespace

TEST_F(XMLFile, WritesTheSettingsLayout) {
    Parser.SaveToFile(*SettingsTree(), Path("settings.xml"), true, true);
    const std::string Expected =
        "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
        "<data>\r\n"
        "  <recent_files>\r\n"
        "    <file>/home/anna/Tom &amp; Jerry &lt;alt&gt;/Gr\xC3\xB6\xC3\x9F"
        "e 2.kxw</file>\r\n"
        "    <file>\r\n"
        "      /home/anna/Mechanismen mit langem Namen/Viergelenk und Schubkurbel 2.kxw\r\n"
        "    </file>\r\n"
        "  </recent_files>\r\n"
        "  <categories>\r\n"
        "    <Joints>\r\n"
        "      <Radius>\r\n"
        "        <Default>5</Default>\r\n"
        "        <Value>7</Value>\r\n"
        "        <VarType>17</VarType>\r\n"
        "      </Radius>\r\n"
        "      <Caption>\r\n"
        "        <Default></Default>\r\n"
        "        <Value>Gelenk \xC3\xBC"
        "ber &lt;A&gt; &amp; B&#13;&#10;Zeile 2</Value>\r\n"
        "        <VarType>0</VarType>\r\n"
        "      </Caption>\r\n"
        "    </Joints>\r\n"
        "    <Printer_Temp />\r\n"
        "  </categories>\r\n"
        "  <recent_files_empty />\r\n"
        "</data>\r\n";
    EXPECT_EQ(ReadBytes(Path("settings.xml")), Expected);

    Parser.SaveToFile(TXMLTag("data"), Path("plain.xml"), false, false);
    EXPECT_EQ(ReadBytes(Path("plain.xml")), "<?xml version=\"1.0\"?>\r\n");
}

TEST_F(XMLFile, ASavedTreeReadsBackTheSame) {
    const auto Tree = SettingsTree();
    Parser.SaveToFile(*Tree, Path("settings.xml"), true, true);
    TXMLTag Document;
    EXPECT_TRUE(Parser.LoadFromFile(Path("settings.xml"), Document));
    ASSERT_EQ(Document.Items().GetCount(), 1);
    // An element with an empty text reads back without a text node; its text stays empty.
    std::string Expected = DumpNode(*Tree);
    Expected.replace(Expected.find("Default('')"), 11, "Default()");
    EXPECT_EQ(DumpNode(*Document.Items().GetItem(0)), Expected);
    const TXMLTag* Recent = Document.Items().FindTag("data")->Items().FindTag("recent_files");
    EXPECT_EQ(Recent->Items().GetTag(0)->GetText(), ShortPath);
    EXPECT_EQ(Recent->Items().GetTag(1)->GetText(), LongPath);
}

TEST_F(XMLFile, DeclarationRules) {
    struct Case {
        const char* Name;
        std::string Bytes;
        const char* Tree; // nullptr: not a valid file
    };
    const Case Cases[] = {
        {"lines are trimmed and joined",
         "<?xml version=\"1.0\"?>\r\n<data>\r\n  <a>hello\r\n  world</a>\r\n</data>\r\n",
         "data(a('helloworld'))"},
        {"line feeds only", "<?xml version=\"1.0\"?>\n<a>1</a>\n<b/>", "a('1'),b()"},
        {"the declaration line is dropped whole",
         "junk\r\n<?xml version=\"1.0\"?><lost/>\r\n<a/>\r\n", "a()"},
        {"an empty line behind the declaration", "<?xml version=\"1.0\"?>\r\n\r\n", ""},
        {"no declaration", "<data/>\r\n", nullptr},
        {"the declaration is the last line", "<data/>\r\n<?xml version=\"1.0\"?>\r\n", nullptr},
        {"only a declaration without line end", "<?xml version=\"1.0\"?>", nullptr},
        {"the declaration is case-sensitive", "<?XML version=\"1.0\"?>\r\n<a/>\r\n", nullptr},
        {"empty file", "", nullptr},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteBytes(Path("in.xml"), C.Bytes);
        TXMLTag Root;
        if (C.Tree) {
            EXPECT_NO_THROW(Parser.LoadFromFile(Path("in.xml"), Root));
            EXPECT_EQ(DumpChildren(Root), C.Tree);
            continue;
        }
        try {
            Parser.LoadFromFile(Path("in.xml"), Root);
            ADD_FAILURE() << "no error";
        } catch (const EXMLException& E) {
            EXPECT_EQ(E.what(), "\"" + Path("in.xml") + "\" ist keine g\xC3\xBCltige XML-Datei!");
        }
        EXPECT_EQ(Root.Items().GetCount(), 0);
    }
}

TEST_F(XMLFile, AMissingFileRaises) {
    TXMLTag Root("data");
    EXPECT_THROW(Parser.LoadFromFile(Path("missing.xml"), Root), EInOutError);
    EXPECT_EQ(Root.Items().GetCount(), 0);
    EXPECT_THROW(Parser.SaveToFile(Root, Path("missing/settings.xml"), true, true), EInOutError);
}

TEST_F(XMLFile, TooDeepAPartOfAFileIsDroppedAndTheRestKept) {
    std::string Text = "<?xml version=\"1.0\"?>\r\n<data>\r\n";
    for (int I = 0; I <= TXMLParser::MaxDepth; ++I)
        Text += "<n>\r\n";
    for (int I = 0; I <= TXMLParser::MaxDepth; ++I)
        Text += "</n>\r\n";
    WriteBytes(Path("deep.xml"), Text + "<kept>1</kept>\r\n</data>\r\n");
    TXMLTag Root;
    Parser.LoadFromFile(Path("deep.xml"), Root);
    const TXMLTag* Data = Root.Items().FindTag("data");
    ASSERT_NE(Data, nullptr);
    EXPECT_EQ(Data->Items().FindTag("kept")->GetText(), "1");
    int Depth = 1; // "data" is the first level
    for (const TXMLTag* N = Data->Items().FindTag("n"); N; N = N->Items().FindTag("n"))
        ++Depth;
    EXPECT_EQ(Depth, TXMLParser::MaxDepth);
}

TEST_F(XMLFile, ReadsAnOldWindows1252FileWithUnescapedText) {
    TXMLTag Root;
    Parser.LoadFromFile(KOPLAR_TEST_DATA_DIR "/xml/legacy-settings-cp1252.xml", Root);
    const TXMLTag* Data = Root.Items().FindTag("data");
    ASSERT_NE(Data, nullptr);
    EXPECT_EQ(Data->Items().FindTag("recent_files")->Items().GetTag(0)->GetText(),
              "C:\\Mechanismen\\Tom & Jerry\\Getriebe Gr\xC3\xB6\xC3\x9F"
              "e 2.kxw");
    const TXMLTag* Title =
        Data->Items().FindTag("categories")->Items().FindTag("Printer")->Items().FindTag("Title");
    EXPECT_EQ(Title->Items().FindTag("Default")->GetText(), "\xC3\x9C"
                                                            "bersicht");
    EXPECT_EQ(Title->Items().FindTag("Value")->GetText(), "Ma\xC3\x9F"
                                                          "stab 1:2");

    // Written again it is UTF-8, and the "&" is escaped.
    Parser.SaveToFile(*Data, Path("new.xml"), true, true);
    const std::string Written = ReadBytes(Path("new.xml"));
    EXPECT_NE(Written.find("Tom &amp; Jerry\\Getriebe Gr\xC3\xB6\xC3\x9F"
                           "e 2.kxw"),
              std::string::npos);
    TXMLTag Again;
    Parser.LoadFromFile(Path("new.xml"), Again);
    EXPECT_EQ(DumpChildren(Again), DumpChildren(Root));
}
