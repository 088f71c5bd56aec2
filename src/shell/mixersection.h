// Page 0: the mixer model, its strips and the channel editor under them, wired to the unit status
// (model and sample-rate class decide which strips show).
#pragma once

#include <QObject>
#include <QPointer>

class ChannelEditor;
class MeterSection;
class MixerPage;
class QAction;
class ReverbPanel;
class QIXDevice;
class QWidget;
class Settings;
class UndoHistory;

namespace mixer {
class MixControls;
class MixerModel;
class UnitStatus;
} // namespace mixer

class MixerSection : public QObject {
    Q_OBJECT

public:
    // `device`, `settings`: program-wide, not owned, must outlive the section. With `pages` (the
    // window's page stack) the section puts an empty frame there at once and builds the page in it
    // later: born there, because a page adopted later would have its style sheet applied again to
    // every control. GUI thread.
    MixerSection(QIXDevice &device, Settings &settings, QWidget *pages = nullptr, QObject *parent = nullptr);
    ~MixerSection() override;

    // The page stack's entry for the mixer page (none without `pages`).
    QWidget *frame() const { return frame_; }
    // The page with its navigation buttons. Its strips, editor and reverb section are most of the
    // window's start-up work, so it is built on the first call, from the model as it is then.
    QWidget *page();
    mixer::MixerModel &model() const { return *model_; }
    // Where the page's user changes go (and the routing page's, once it registers its models).
    mixer::MixControls &controls() const { return *controls_; }
    // The strips the unit has follow its rate class.
    void followUnit(const mixer::UnitStatus &unit);
    // Builds the page once `unit` is set up, a second after `window` is first on screen, or when it is
    // first asked for, whichever comes first: the window opens on another page, and building it before
    // the set-up would hold the set-up back.
    void buildPageSoon(QWidget *window, const mixer::UnitStatus &unit);
    // Binds the page's level meters and the editor's gain-reduction bar, following the selection
    // (once the page is built), and the frame as the place they are shown.
    void bindMeters(MeterSection &meters);
    // "Initialize Reverb" asks first and, on OK, returns every reverb type to its factory values, one
    // step of `history` (which must outlive the section).
    void bindInitializeReverb(QAction *action, UndoHistory &history);
signals:
    // The page exists now: its navigation buttons can be bound.
    void pageBuilt(QWidget *page);

public slots:
    void on_actionInitialize_Reverb_triggered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPage();
    void bindPageMeters();
    // What stands in the window for the page: the stack's entry, or the page itself without one.
    QWidget *shown() { return frame_ ? frame_ : page(); }

    // Owned by the page once it exists, so the strips never outlive the model they show.
    mixer::MixerModel *model_ = nullptr;
    mixer::MixControls *controls_ = nullptr;
    QWidget *frame_ = nullptr;
    QPointer<QWidget> window_;
    MixerPage *page_ = nullptr;
    ChannelEditor *editor_ = nullptr;
    MeterSection *meters_ = nullptr;
    ReverbPanel *reverb_ = nullptr;
    UndoHistory *history_ = nullptr;
};
