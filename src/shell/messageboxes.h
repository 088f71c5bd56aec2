// The one way the panel shows a message box. Tests install their own implementation to record boxes
// and answer them without blocking; the program uses the modal Qt boxes (or, in an end-to-end test
// run, the test hook file).
#pragma once

#include <QString>

class QWidget;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Modal warning with an OK button. `parent`: may be null, not owned. Returns when dismissed.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;

    // Modal information box without parent, rich text, an OK button and a check box labelled
    // `checkLabel`. Returns whether the check box was checked when the box was closed.
    virtual bool informationWithCheck(const QString &title, const QString &richText,
                                      const QString &checkLabel) = 0;

    // The implementation in use: the one installed last, else the test-hook one when the hook is
    // active, else modal boxes. GUI thread.
    static MessageBoxes &current();

    // Replaces the implementation in use; `boxes` is not owned and must outlive its use; null restores
    // the default. Returns the previous one installed (null for the default).
    static MessageBoxes *install(MessageBoxes *boxes);
};

// Real, modal QMessageBox boxes.
class ModalMessageBoxes : public MessageBoxes {
public:
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    bool informationWithCheck(const QString &title, const QString &richText,
                              const QString &checkLabel) override;
};

// Writes "box <title>" to the test hook file and returns at once (the check box counts as unchecked).
class HookMessageBoxes : public MessageBoxes {
public:
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    bool informationWithCheck(const QString &title, const QString &richText,
                              const QString &checkLabel) override;
};
