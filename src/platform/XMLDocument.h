// The DOM document through which mechanism files are built, serialised and parsed. Each job
// creates a document, makes it active, works on it and makes it inactive before releasing it.
// Writers see only the builder, readers only the reader.
// Nodes are handles into the document that owns them; a null handle stands for "none".
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

// A file that cannot be read or is not well-formed XML; the message is German.
class EXMLDocumentError : public std::runtime_error {
public:
    explicit EXMLDocumentError(const std::string& Message) : std::runtime_error(Message) {}
};

// Files beyond this size are refused unread, so that a stray file cannot exhaust the memory;
// a document that would serialise to more is not written.
constexpr std::size_t MaxXMLFileSize = 32 * 1024 * 1024;

// A document too large to be written; nothing was written.
class EXMLDocumentTooLarge : public EXMLDocumentError {
public:
    using EXMLDocumentError::EXMLDocumentError;
};

class TXMLNode {
public:
    TXMLNode() = default;
    explicit TXMLNode(void* Handle) : FHandle(Handle) {}
    void* Handle() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    friend bool operator==(TXMLNode, TXMLNode) = default;

private:
    void* FHandle = nullptr;
};

// The writing side: builds a tree element by element.
class TXMLBuilder {
public:
    virtual ~TXMLBuilder() = default;

    // The document itself, parent of the document element.
    virtual TXMLNode Document() const = 0;
    virtual void SetDeclaration(const std::string& Version, const std::string& Encoding,
                                const std::string& Standalone) = 0;
    // Appends an element; the first one added to the document becomes the document element.
    virtual TXMLNode AddChild(TXMLNode Parent, const std::string& Tag) = 0;
    virtual void SetAttribute(TXMLNode Element, const std::string& Name,
                              const std::string& Value) = 0;
    virtual void SetText(TXMLNode Element, const std::string& Value) = 0;
};

// The reading side of a parsed tree. Children are elements only, in document order; names
// compare exactly.
class TXMLReader {
public:
    virtual ~TXMLReader() = default;

    // The document itself, parent of the document element.
    virtual TXMLNode Document() const = 0;
    virtual TXMLNode ChildByName(TXMLNode Parent, const std::string& Tag) const = 0;
    virtual int ChildCount(TXMLNode Parent) const = 0;
    // Sequential access by position is cheap.
    virtual TXMLNode Child(TXMLNode Parent, int Index) const = 0;
    virtual std::string TagName(TXMLNode Element) const = 0;
    virtual bool HasAttribute(TXMLNode Element, const std::string& Name) const = 0;
    virtual std::string Attribute(TXMLNode Element, const std::string& Name) const = 0;
    virtual std::string Text(TXMLNode Element) const = 0;
};

// A whole document: built or parsed, and serialised.
class TXMLDocument : public TXMLBuilder, public TXMLReader {
public:
    // Work on the tree happens only while the document is active; making it inactive drops the
    // tree.
    virtual void SetActive(bool Value) = 0;
    virtual bool Active() const = 0;

    TXMLNode Document() const override = 0;

    // Serialising: one tree always gives the same text. Saving replaces the file atomically.
    virtual void SaveToFile(const std::string& FileName) const = 0;
    // The whole document, lines joined by CR LF.
    virtual std::string SaveToXML() const = 0;

    // Parsing; throws EXMLDocumentError. White space between elements is not part of the tree.
    virtual void LoadFromFile(const std::string& FileName) = 0;
};

// A new, empty and inactive document.
std::unique_ptr<TXMLDocument> CreateXMLDocument();

// A new document, active for the lifetime of this object and released after it, also when the
// job fails.
class TXMLDocumentJob {
public:
    TXMLDocumentJob() : FDoc(CreateXMLDocument()) { FDoc->SetActive(true); }
    ~TXMLDocumentJob() { FDoc->SetActive(false); }
    TXMLDocumentJob(const TXMLDocumentJob&) = delete;
    TXMLDocumentJob& operator=(const TXMLDocumentJob&) = delete;
    TXMLDocument& Doc() { return *FDoc; }

private:
    std::unique_ptr<TXMLDocument> FDoc;
};
