// The settings file's XML tree with its line-oriented reader and indenting writer. The reader
// understands exactly the shape the writer produces: elements, attributes and text.
#pragma once

#include "platform/Component.h"
#include "platform/Object.h"
#include "platform/Watched.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TXMLCodec;
class TXMLTag;

// The reader's error: a file without a declaration line.
class EXMLException : public std::runtime_error {
public:
    explicit EXMLException(const std::string& Message) : std::runtime_error(Message) {}
};

// A node of the tree: a tag or a text.
class TXMLBase : public TObject {
protected:
    TXMLBase() = default;
};

class TXMLText : public TXMLBase {
public:
    TXMLText() = default;
    explicit TXMLText(std::string AText) : FText(std::move(AText)) {}

    const std::string& Text() const { return FText; }
    void SetText(std::string AText) { FText = std::move(AText); }

private:
    std::string FText;
};

// The child nodes of a tag in document order, tags and texts mixed; owns them.
class TXMLItems : public TObject {
public:
    TXMLItems() = default;
    ~TXMLItems() override;

    // Takes ownership; returns the node's index.
    int Add(std::unique_ptr<TXMLBase> Node);
    TXMLText* AddText(const std::string& Text);
    // Frees every node, the first first.
    void Clear();
    int GetCount() const { return static_cast<int>(FItems.size()); }
    TXMLBase* GetItem(int Index) const;
    // The Index-th tag, counting tags only; nullptr when there are not that many.
    TXMLTag* GetTag(int Index) const;
    int GetTagCount() const;
    // The child tags in order, text nodes skipped.
    std::vector<TXMLTag*> Tags() const;
    // The first tag whose name equals Name ignoring ASCII case; nullptr when none.
    TXMLTag* FindTag(std::string_view Name) const;
    TXMLTag* TagByName(std::string_view Name) const { return FindTag(Name); }
    // Removes the node at Index without freeing it and hands it back.
    std::unique_ptr<TXMLBase> Delete(int Index);

private:
    std::vector<std::unique_ptr<TXMLBase>> FItems;
};

// The attributes of a tag in insertion order; names are compared ignoring ASCII case.
class TXMLAttributes : public TObject {
public:
    void Clear() { FItems.clear(); }
    // Double quotes in Value become single quotes. Setting an existing attribute to the empty
    // value removes it; a new one with the empty value is kept.
    void SetAttribute(const std::string& Name, const std::string& Value);
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Names(int Index) const { return FItems.at(Index).first; }
    const std::string& ValueFromIndex(int Index) const { return FItems.at(Index).second; }
    // The value of the named attribute; empty when there is none.
    std::string Values(std::string_view Name) const;
    // name="value" with a blank behind each, in order; values escaped for the file.
    std::string GetText() const;
    // Parses an attribute text as the reader finds it in a head (a value ends at a blank).
    void SetText(std::string_view Text);

private:
    int IndexOfName(std::string_view Name) const;

    std::vector<std::pair<std::string, std::string>> FItems;
};

class TXMLTag : public TXMLBase {
public:
    // An unowned tag, typically a root: std::make_unique<TXMLTag>("data").
    TXMLTag() = default;
    explicit TXMLTag(std::string AName) : FName(std::move(AName)) {}

    // A new tag appended to Parent, which owns it from then on.
    static TXMLTag* CreateNamed(TXMLTag& Parent, const std::string& Name);
    // The same with one text child holding Text (also when Text is empty).
    static TXMLTag* CreateWithText(TXMLTag& Parent, const std::string& Name,
                                   const std::string& Text);

    TXMLAttributes& Attributes() { return FAttributes; }
    const TXMLAttributes& Attributes() const { return FAttributes; }
    TXMLItems& Items() { return FItems; }
    const TXMLItems& Items() const { return FItems; }
    const std::string& Name() const { return FName; }
    void SetName(std::string AName) { FName = std::move(AName); }

    // The texts of the direct text children, concatenated in order.
    std::string GetText() const;

private:
    TXMLAttributes FAttributes;
    TXMLItems FItems;
    std::string FName;
};

// A new tag named Name appended to Parent (owned by it).
TXMLTag* AddTag(TXMLTag& Parent, const std::string& Name);

// Reads and writes the tree as the settings file's text.
class TXMLParser : public TComponent {
public:
    explicit TXMLParser(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    // When set (not owned), text nodes are decoded on reading and encoded on writing with it.
    TXMLCodec* Codec() const { return FCodec; }
    void SetCodec(TXMLCodec* ACodec);

    // Appends the nodes of the file to Root. Throws EInOutError when the file cannot be read
    // and EXMLException when it has no declaration line.
    bool LoadFromFile(const std::string& FileName, TXMLTag& Root);
    // Appends the nodes found in Text to Parent. True when the last step succeeded. Malformed
    // parts are skipped, and so are elements nested deeper than MaxDepth with their content.
    bool Parse(const std::string& Text, TXMLTag& Parent);
    // Writes the declaration and the tree (Root itself too with WrapRoot), replacing the file
    // atomically; throws EInOutError when it cannot be written.
    void SaveToFile(const TXMLBase& Root, const std::string& FileName, bool WrapRoot,
                    bool Standalone);
    // Appends the lines of Node (with WrapRoot) or of its children, indented by Indent blanks.
    void WriteNode(const TXMLBase& Node, std::vector<std::string>& Lines, int Indent,
                   bool WrapRoot);

    static constexpr int MaxDepth = 256;

private:
    std::string EncodeText(const std::string& Text);
    void WriteChild(const TXMLBase& Node, std::vector<std::string>& Lines, int Indent);

    TWatched<TXMLCodec> FCodec;
};
