// A compact text form of a tree for comparisons: tags as name[attr=value,...](children),
// texts in single quotes, siblings separated by commas.
#pragma once

#include "xml/XMLParser.h"

#include <string>

inline std::string DumpChildren(const TXMLTag& Tag);

inline std::string DumpNode(const TXMLBase& Node) {
    if (const auto* Text = dynamic_cast<const TXMLText*>(&Node))
        return "'" + Text->Text() + "'";
    const auto& Tag = dynamic_cast<const TXMLTag&>(Node);
    std::string R = Tag.Name();
    if (Tag.Attributes().Count() > 0) {
        R += "[";
        for (int I = 0; I < Tag.Attributes().Count(); ++I)
            R += (I ? "," : "") + Tag.Attributes().Names(I) + "=" +
                 Tag.Attributes().ValueFromIndex(I);
        R += "]";
    }
    return R + "(" + DumpChildren(Tag) + ")";
}

inline std::string DumpChildren(const TXMLTag& Tag) {
    std::string R;
    for (int I = 0; I < Tag.Items().GetCount(); ++I)
        R += (I ? "," : "") + DumpNode(*Tag.Items().GetItem(I));
    return R;
}
