// Why a unit that is plugged in cannot be used, said on the interface page in place of its status
// rows, in words a user can act on. Shown while the unit's status reports a refusal, gone once the
// unit opens (or is unplugged).
//
// GUI thread only.
#pragma once

#include <QLabel>

class QStackedLayout;

namespace mixer {
class UnitStatus;
}

class UnitAccessNote : public QLabel {
    Q_OBJECT

public:
    // Adds itself to `stack` (the status plate's layout, whose current page is the status rows) and
    // follows `unit`'s access from now on; `unit` must outlive the note.
    UnitAccessNote(QStackedLayout &stack, const mixer::UnitStatus &unit);

    // The note for a devif_access value; empty for DEVIF_ACCESS_OK.
    static QString textFor(int access);

private:
    // The note or the status rows, as the unit's access says.
    void follow();

    QStackedLayout &stack_;
    const mixer::UnitStatus &unit_;
    QWidget *rows_;
};
