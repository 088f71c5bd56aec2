#include "unitaccessnote.h"

#include "unitstatus.h"

#include <QStackedLayout>

UnitAccessNote::UnitAccessNote(QStackedLayout &stack, const mixer::UnitStatus &unit)
    : stack_(stack), unit_(unit), rows_(stack.currentWidget())
{
    setObjectName(QStringLiteral("label_UnitAccess"));
    setStyleSheet(QStringLiteral("QLabel{color : #7a1010; font-size: 15px; font-family: Arial}"));
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setContentsMargins(20, 14, 16, 12);
    setTextFormat(Qt::RichText);
    // So that the command can be copied into a terminal.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    stack_.addWidget(this);
    connect(&unit, &mixer::UnitStatus::accessChanged, this, &UnitAccessNote::follow);
    follow();
}

QString UnitAccessNote::textFor(int access)
{
    switch (access) {
    case DEVIF_ACCESS_DENIED:
        return tr(
            "<b>A LYNTRA unit is plugged in, but this session may not open it.</b>"
            "<p>Either the panel's udev rule is missing, or this session is not the active seat "
            "(a remote login, or another user is logged in at the computer).</p>"
            "<p>To install the rule, run this command, then unplug the unit and plug it in "
            "again:</p><p style=\"font-family: monospace\">sudo apt install --reinstall lyntra-panel</p>");
    case DEVIF_ACCESS_BUSY:
        return tr("<b>A LYNTRA unit is plugged in, but it is busy.</b>"
                  "<p>Another program is using it. Close that program, or unplug the unit and plug it "
                  "in again.</p>");
    default:
        return QString();
    }
}

void UnitAccessNote::follow()
{
    const QString note = textFor(unit_.access());
    setText(note);
    stack_.setCurrentWidget(note.isEmpty() ? rows_ : this);
}
