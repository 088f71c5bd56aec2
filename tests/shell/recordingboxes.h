// Message boxes that are recorded and answered at once instead of blocking the test.
#pragma once

#include "messageboxes.h"

#include <QStringList>

class RecordingBoxes : public MessageBoxes {
public:
    RecordingBoxes() { previous_ = MessageBoxes::install(this); }
    ~RecordingBoxes() override { MessageBoxes::install(previous_); }
    RecordingBoxes(const RecordingBoxes &) = delete;
    RecordingBoxes &operator=(const RecordingBoxes &) = delete;

    void warning(QWidget *, const QString &title, const QString &text) override
    {
        titles << title;
        texts << text;
    }
    bool informationWithCheck(const QString &title, const QString &richText,
                              const QString &checkLabel) override
    {
        titles << title;
        texts << richText;
        checkLabels << checkLabel;
        return checkAnswer;
    }

    void clear()
    {
        titles.clear();
        texts.clear();
        checkLabels.clear();
    }

    QStringList titles;
    QStringList texts;
    QStringList checkLabels;
    bool checkAnswer = false;

private:
    MessageBoxes *previous_;
};
