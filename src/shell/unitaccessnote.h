// Why a unit that is plugged in cannot be used, said on the interface page in place of its status
// rows, in words a user can act on. Shown while the device object reports a refusal, gone once the
// unit opens (or is unplugged).
//
// GUI thread only.
#pragma once

#include <QLabel>

class QStackedLayout;

class UnitAccessNote : public QLabel {
    Q_OBJECT

public:
    // Adds itself to `stack` (the status plate's layout, whose current page is the status rows).
    explicit UnitAccessNote(QStackedLayout &stack);

    // The note for a devif_access value; empty for DEVIF_ACCESS_OK.
    static QString textFor(int access);

public slots:
    // The device object's sig_unit_access: the note or the status rows.
    void showAccess(int access);

private:
    QStackedLayout &stack_;
    QWidget *rows_;
};
