// Asks for which of a joint's links its plane positions are drawn.
#pragma once

#include <QDialog>

class QComboBox;
class TCustomLink;
class TJoint;

class TFormSelLink : public QDialog {
public:
    explicit TFormSelLink(QWidget* Parent = nullptr);

    // Lists the joint's links by their display texts, the first chosen.
    void FillLinkList(const TJoint& Joint);
    // The joint's link at the chosen entry; nil when none is chosen.
    TCustomLink* GetSelectedLink(const TJoint& Joint) const;

    QComboBox* cbLinks;
};
