// What the window asks of the interface page (page 1) beyond its widgets, so that the window does not
// depend on how the page does it. The page's own clock and status slots connect themselves to the
// device object.
#pragma once

class QWidget;

class InterfaceBridge {
public:
    virtual ~InterfaceBridge() = default;

    // The page widget; the window puts it into its page stack, which then owns it.
    virtual QWidget *page() = 0;

    // Applies the stored optical modes and clock source, sending them to the unit. `fallBack`: a
    // stored Optical B or Word source becomes Internal on the small model (after a reconnection).
    virtual void applyStoredClock(bool smallModel, bool fallBack) = 0;

    // The page was chosen: show the driver's current buffer size.
    virtual void refreshBufferSize() = 0;

    // The window's 2 s timer ran out after a buffer-size change: the sample-rate display may follow
    // the unit again. Nothing by default.
    virtual void bufferSizeChangeSettled() {}

    // End of every full load: the model-dependent look of the page (the small model greys what it
    // lacks). Nothing by default.
    virtual void applyModelState() {}
};
