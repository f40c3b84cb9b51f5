// The printer: one document at a time, drawn through a canvas in device pixels on the printable
// area of the page. Every failure is thrown as std::runtime_error with a readable message.
#pragma once

#include "platform/Canvas.h"

#include <string>

class TPrinter {
public:
    virtual ~TPrinter() = default;

    // The job's title, taken by the next document.
    virtual void SetTitle(const std::string& Title) = 0;
    virtual void BeginDoc() = 0;
    // Sends the document to the spooler (or the file).
    virtual void EndDoc() = 0;
    // Drops an open document; nothing when none is open.
    virtual void Abort() = 0;
    // Valid between BeginDoc and EndDoc: (0, 0) is the printable area's top-left corner; nothing
    // drawn beyond the printable area shows.
    virtual TCanvas& Canvas() = 0;
    // The printable area in device pixels, and the device pixels per inch.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual int Resolution() const = 0;
};
