#pragma once
// What the grammar panel needs of the main window that holds it: the status
// panels, the remarks and search boxes, the Conjugations menu entries and the
// active child window. The main window implements it; the panel links no
// main-window code.

#include <QString>

class QAction;
class QLineEdit;
class QTextEdit;
class QWidget;

namespace tav {

class GrammarHost {
public:
    virtual ~GrammarHost() = default;

    // Status panels 1 to 7.
    virtual void SetPanelText(int panel, const QString &text) = 0;
    virtual QString PanelText(int panel) const = 0;

    // The main window itself (its width lays out the conjugation columns; its
    // named text boxes are enabled and disabled with the panel) and the area
    // of its child windows, whose boxes are not the main window's.
    virtual QWidget *HostWindow() = 0;
    virtual QWidget *ChildArea() = 0;
    // The active child window (list or exercise window); nullptr when none.
    virtual QWidget *ActiveForm() const = 0;

    virtual QLineEdit *SearchBox() = 0;   // tbSearch
    virtual QTextEdit *RemarksBox() = 0;  // tbRem
    virtual QTextEdit *RemarksBox3() = 0; // tbRemG3
    // The Conjugations menu's entries mnuFirstParts(0..2).
    virtual QAction *ConjugationEntry(int index) = 0;
};

} // namespace tav
