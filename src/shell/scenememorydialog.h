// Asks for the name of a scene memory: "Enter the name of this SceneMemory:", the field and "&OK".
// Confirming an empty field says so and keeps the name, "Empty Name" unless a name was confirmed.
// GUI thread.
#pragma once

#include <QDialog>

class QLineEdit;

class SceneMemoryDialog : public QDialog {
    Q_OBJECT

public:
    explicit SceneMemoryDialog(QWidget *parent = nullptr);

    QString name() const { return name_; }

public slots:
    void decideClicked();

private:
    QLineEdit *edit_;
    QString name_;
};
