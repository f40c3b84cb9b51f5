#include "xml/XMLParser.h"
#include "support/Repeated.h"
#include "xml/XMLTreeDump.h"
#include "xml/XMLUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using TLines = std::vector<std::string>;

namespace {
std::string Nested(int Levels) {
    std::string Open, Close;
    for (int I = 0; I < Levels; ++I) {
        Open += "<n>";
        Close += "</n>";
    }
    return Open + "x" + Close;
}
} // namespace

TEST(XMLParser, ParseBuildsTheTree) {
    struct Case {
        const char* Text;
        const char* Tree;
        bool Result;
    };
    const Case Cases[] = {
        {"<a>helloworld</a>", "a('helloworld')", true},
        {"<a x=\"1\"/><b/>", "a[x=1](),b()", true},
        {"<a>x</a> <b>y</b>", "a('x'),b('y')", true},
        {"<a><b>y</b> </a>", "a(b('y'),' ')", true},
        {"<a b=\"1\">\r\n x\n</a>", "a[b=1]('x')", true},
        {"  lead <a/> mid <b /> tail ", "'lead',a(),'mid',b(),'tail '", true},
        {"<Value></Value>", "Value()", true},
        // Closing tags: names compared without case, every opening tag beginning with the name
        // counts, and an element of the same name inside gives the outer one up.
        {"<Data>1</DATA>", "Data('1')", true},
        {"<item><items>1</items></item>", "item(items('1'))", true},
        {"<item><item>1</item></item>", "item(item('1'))", true},
        {"<a><a/></a>", "a()", false},
        {"<a><ab/></a>", "ab()", false},
        {"<a>text", "'text'", true},
        {"</a><b/>", "b()", true},
        // Heads: comments, declarations and document types become empty elements.
        {"<!-- note -->", "--[note=,--=]()", true},
        {"<?xml version=\"1.0\"?>", "xml[version=1.0]()", true},
        {"<!DOCTYPE data>", "DOCTYPE[data=]()", true},
        // Attributes: a value ends at a blank, single quotes stay, double quotes are dropped,
        // a later attribute of the same name replaces, an empty value removes.
        {"<t a=\"x y\" b=2 c='3'/>", "t[a=x,y\"=,b=2,c='3']()", true},
        {"<t a=\"1\" A=\"2\"/>", "t[a=2]()", true},
        {"<t a=\"1\" A=\"\" b/>", "t[b=]()", true},
        // Escaped text and values read back; a bare "&" stays as it stands.
        {"<p>a &lt;b&gt; &amp; c &foo; Tom & Jerry</p>", "p('a <b> & c &foo; Tom & Jerry')", true},
        {"<f n=\"a&amp;b&lt;c&quot;\"/>", "f[n=a&b<c']()", true},
        {"<a>x > y</a>", "a('x > y')", true},
        // Malformed input ends and loses nothing else.
        {"", "", false},
        {"<", "'<'", false},
        {"x <a", "'x <a'", false},
        {"<a/><b", "a(),'<b'", false},
        {"<a>x</a", "a('x'),'</a'", false},
        {"<>", "", false},
        {"<>x", "'x'", true},
        {"</><b/>", "b()", true},
        {"<!><?><?"
         "?><! x/>",
         "", false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Text);
        TXMLParser Parser;
        TXMLTag Root;
        EXPECT_EQ(Parser.Parse(C.Text, Root), C.Result);
        EXPECT_EQ(DumpChildren(Root), C.Tree);
    }
}

TEST(XMLParser, ParseAppendsToTheExistingChildren) {
    TXMLParser Parser;
    TXMLTag Root("data");
    AddTag(Root, "old");
    Parser.Parse("<new/>", Root);
    EXPECT_EQ(DumpNode(Root), "data(old(),new())");
}

namespace {

// How many levels of tags named Name go down from Tag along the first child tag.
int DepthOf(const TXMLTag& Tag, const std::string& Name) {
    int Depth = 0;
    for (const TXMLTag* T = Tag.Items().FindTag(Name); T; T = T->Items().FindTag(Name))
        ++Depth;
    return Depth;
}

} // namespace

TEST(XMLParser, LargeAndMangledInputsReadAsTheyStand) {
    const int Deep = TXMLParser::MaxDepth + 200;
    const std::string Chunk(63, 'x');
    struct Case {
        const char* Name;
        std::string Text;
        std::function<void(const TXMLTag&)> Check;
    };
    const Case Cases[] = {
        {"nesting to the limit is kept", Nested(TXMLParser::MaxDepth),
         [](const TXMLTag& Root) {
             const TXMLTag* Tag = &Root;
             for (int I = 0; I < TXMLParser::MaxDepth; ++I)
                 Tag = Tag->Items().GetTag(0);
             EXPECT_EQ(DumpNode(*Tag), "n('x')");
         }},
        {"only what nests too deep is dropped", "<a/>" + Nested(Deep) + "<b>1</b>",
         [](const TXMLTag& Root) {
             EXPECT_EQ(DepthOf(Root, "n"), TXMLParser::MaxDepth);
             EXPECT_EQ(Root.Items().GetCount(), 3);
             EXPECT_EQ(DumpNode(*Root.Items().GetTag(2)), "b('1')");
         }},
        {"too deep beside kept siblings",
         Repeated("<n>", TXMLParser::MaxDepth - 1) + "<k/><n><d/></n>t<m>2</m>" +
             Repeated("</n>", TXMLParser::MaxDepth - 1),
         [](const TXMLTag& Root) {
             const TXMLTag* Tag = &Root;
             for (int I = 1; I < TXMLParser::MaxDepth; ++I)
                 Tag = Tag->Items().GetTag(0);
             EXPECT_EQ(DumpChildren(*Tag), "k(),n(),'t',m('2')");
         }},
        {"unclosed start tags", Repeated("<a>", 5000) + "<b>1</b>",
         [](const TXMLTag& Root) { EXPECT_EQ(DumpChildren(Root), "b('1')"); }},
        {"unclosed start tags of many names",
         [] {
             std::string T;
             for (int I = 0; I < 3000; ++I)
                 T += "<a" + std::to_string(I) + ">";
             return T + "<b/>";
         }(),
         [](const TXMLTag& Root) { EXPECT_EQ(DumpChildren(Root), "b()"); }},
        {"stray closing tags", Repeated("</a>", 5000) + "<b/>",
         [](const TXMLTag& Root) { EXPECT_EQ(DumpChildren(Root), "b()"); }},
        {"elements of one name nested and side by side",
         "<a>" + Repeated("<a>1</a><a><a/>2</a>", 2000) + "</a>",
         [](const TXMLTag& Root) {
             // Each inner empty "a" raises the depth for good: the outer element and every
             // second inner one but the last are given up and their content read on.
             ASSERT_EQ(Root.Items().GetTagCount(), 2000 * 2);
             EXPECT_EQ(DumpNode(*Root.Items().GetTag(0)), "a('1')");
             EXPECT_EQ(DumpNode(*Root.Items().GetTag(1)), "a()");
             EXPECT_EQ(DumpNode(*Root.Items().GetTag(3999)), "a(a(),'2')");
         }},
        {"many attributes",
         "<t" +
             [] {
                 std::string T;
                 for (int I = 0; I < 20000; ++I)
                     T += " a" + std::to_string(I);
                 return T;
             }() +
             " a0 a1=\"v\"/>",
         [](const TXMLTag& Root) {
             const TXMLAttributes& A = Root.Items().GetTag(0)->Attributes();
             ASSERT_EQ(A.Count(), 19999); // a0 set again to empty is removed
             EXPECT_EQ(A.Names(0), "a1");
             EXPECT_EQ(A.ValueFromIndex(0), "v");
             EXPECT_EQ(A.Names(19998), "a19999");
         }},
        {"a line break every 64 characters", "<t>" + Repeated(Chunk + "\n", 20000) + "</t>",
         [&Chunk](const TXMLTag& Root) {
             EXPECT_EQ(Root.Items().GetTag(0)->GetText(), Repeated(Chunk, 20000));
         }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TXMLParser Parser;
        TXMLTag Root;
        EXPECT_NO_THROW(Parser.Parse(C.Text, Root));
        C.Check(Root);
    }
}

TEST(XMLParser, TreeAccess) {
    TXMLTag Root("data");
    Root.Items().AddText("t1");
    TXMLTag* A = AddTag(Root, "Alpha");
    Root.Items().AddText("t2");
    TXMLTag* B = TXMLTag::CreateWithText(Root, "beta", "b");
    EXPECT_EQ(Root.Items().GetCount(), 4);
    EXPECT_EQ(Root.Items().GetTagCount(), 2);
    EXPECT_EQ(Root.Items().GetTag(0), A);
    EXPECT_EQ(Root.Items().GetTag(1), B);
    EXPECT_EQ(Root.Items().GetTag(2), nullptr);
    EXPECT_EQ(Root.Items().FindTag("ALPHA"), A);
    EXPECT_EQ(Root.Items().TagByName("Beta"), B);
    EXPECT_EQ(Root.Items().FindTag("gamma"), nullptr);
    EXPECT_EQ(Root.GetText(), "t1t2");
    EXPECT_EQ(B->GetText(), "b");

    std::unique_ptr<TXMLBase> Taken = Root.Items().Delete(1);
    EXPECT_EQ(Taken.get(), A);
    EXPECT_EQ(DumpNode(Root), "data('t1','t2',beta('b'))");
    Root.Items().Clear();
    EXPECT_EQ(Root.Items().GetCount(), 0);
}

TEST(XMLParser, SetAttribute) {
    TXMLAttributes Attrs;
    Attrs.SetAttribute("a", "say \"hi\"");
    Attrs.SetAttribute("b", "");
    Attrs.SetAttribute("A", "2");
    EXPECT_EQ(Attrs.GetText(), "a=\"2\" b=\"\" ");
    Attrs.SetAttribute("B", "");
    EXPECT_EQ(Attrs.Count(), 1);
    Attrs.SetAttribute("c", "say \"hi\" & <bye>");
    EXPECT_EQ(Attrs.Values("C"), "say 'hi' & <bye>");
    EXPECT_EQ(Attrs.Values("d"), "");
    EXPECT_EQ(Attrs.GetText(), "a=\"2\" c=\"say 'hi' &amp; &lt;bye&gt;\" ");
}

TEST(XMLParser, WriterLayout) {
    TXMLTag Root("data");
    TXMLTag::CreateWithText(Root, "Value", "16777215");
    AddTag(Root, "recent_files");
    TXMLTag::CreateWithText(Root, "Value", "");
    TXMLTag* T = AddTag(Root, "t");
    T->Attributes().SetAttribute("a", "1");
    T->Attributes().SetAttribute("b", "2");
    TXMLTag* U = TXMLTag::CreateWithText(Root, "u", "x");
    U->Attributes().SetAttribute("k", "v");
    std::string U73; // 73 characters in 146 bytes
    for (int I = 0; I < 73; ++I)
        U73 += "\xC3\xBC";
    const std::string X73(73, 'x'), X74(74, 'x');
    TXMLTag::CreateWithText(Root, "v", X73); // one line of 80 characters
    TXMLTag::CreateWithText(Root, "w", X74); // 81: on three lines
    TXMLTag::CreateWithText(Root, "v", U73); // characters are counted, not bytes
    TXMLTag* Nest = AddTag(Root, "nest");
    Nest->Items().AddText("lead");
    TXMLTag::CreateWithText(*AddTag(*Nest, "inner"), "Default", "a<b & c");

    TXMLParser Parser;
    TLines Lines;
    Parser.WriteNode(Root, Lines, 6, false);
    const TLines Expected = {
        "      <Value>16777215</Value>",
        "      <recent_files />",
        "      <Value></Value>",
        "      <t a=\"1\" b=\"2\" />",
        "      <u k=\"v\">x</u>",
        "      <v>" + X73 + "</v>",
        "      <w>",
        "        " + X74,
        "      </w>",
        "      <v>" + U73 + "</v>",
        "      <nest>",
        "        lead",
        "        <inner>",
        "          <Default>a&lt;b &amp; c</Default>",
        "        </inner>",
        "      </nest>",
    };
    EXPECT_EQ(Lines, Expected);
}

TEST(XMLParser, WrapRootWritesTheRootItself) {
    TXMLTag Root("data");
    Root.Attributes().SetAttribute("v", "1");
    AddTag(Root, "categories");
    TXMLParser Parser;
    TLines Wrapped, Children, Text;
    Parser.WriteNode(Root, Wrapped, 0, true);
    Parser.WriteNode(Root, Children, 2, false);
    Parser.WriteNode(TXMLText("a & b"), Text, 2, false);
    EXPECT_EQ(Wrapped, (TLines{"<data v=\"1\">", "  <categories />", "</data>"}));
    EXPECT_EQ(Children, (TLines{"  <categories />"}));
    EXPECT_EQ(Text, (TLines{"  a &amp; b"}));
    EXPECT_EQ(DumpNode(Root), "data[v=1](categories())"); // writing leaves the tree alone
}

TEST(XMLParser, CodecDecodesAndEncodesTextNodesOnly) {
    TXMLParser Parser;
    auto Codec = std::make_unique<TXMLCodec>();
    Parser.SetCodec(Codec.get());
    TXMLTag Root;
    Parser.Parse("<p a=\"&amp;\">&auml;&foo;&#65;</p><q>&#1x;</q><r/>", Root);
    EXPECT_EQ(DumpChildren(Root), "p[a=&]('\xC3\xA4"
                                  "A'),q(),r()");

    TXMLTag Out;
    TXMLTag::CreateWithText(Out, "p", "\xC3\xA4<!")->Attributes().SetAttribute("a", "&");
    TLines Lines;
    Parser.WriteNode(Out, Lines, 0, false);
    EXPECT_EQ(Lines, (TLines{"<p a=\"&amp;\">&auml;&lt;&#33;</p>"}));

    Codec.reset(); // the parser lets go of a codec that is freed
    EXPECT_EQ(Parser.Codec(), nullptr);
    Lines.clear();
    Parser.WriteNode(Out, Lines, 0, false);
    EXPECT_EQ(Lines, (TLines{"<p a=\"&amp;\">\xC3\xA4&lt;!</p>"}));
}
