#include "scenememorydialog.h"

#include "boxes.h"
#include "settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SceneMemoryDialog::SceneMemoryDialog(QWidget *parent)
    : QDialog(parent), edit_(new QLineEdit(this)), name_(tr("Empty Name"))
{
    setObjectName(QStringLiteral("SceneMemoryDialog"));
    setWindowTitle(tr("Rename the SceneMemory"));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(tr("Enter the name of this SceneMemory:"), this));
    edit_->setObjectName(QStringLiteral("lineEdit_SceneName"));
    edit_->setMaxLength(Settings::kSceneNameMost);
    layout->addWidget(edit_);
    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("pB_SceneNameOk"));
    ok->setDefault(true);
    layout->addWidget(ok);
    // In this order: the name is taken before the dialog ends.
    connect(ok, &QPushButton::clicked, this, &SceneMemoryDialog::decideClicked);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void SceneMemoryDialog::decideClicked()
{
    const QString text = edit_->text().trimmed();
    if (text.isEmpty()) {
        // Outlives the dialog, which ends right after this.
        openBox(QMessageBox::Information, parentWidget(), tr("Enpty Field"), tr("Please enter the name"));
        return;
    }
    name_ = text;
}
