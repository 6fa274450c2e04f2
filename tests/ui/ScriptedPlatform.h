// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/PlatformServices.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

// Answers the desktop's questions from a script and keeps a record of them, so that
// tests run without a person.
class TScriptedPlatform : public IPlatformServices {
public:
    struct TMessage {
        QString Text;
        QString Caption;
        TMessageKind Kind;
    };
    struct TQuestion {
        QString Text;
        QString Caption;
    };
    struct TInputQuery {
        QString Caption;
        QString Prompt;
        QString Initial;
        QStringList Refused; // texts the close check turned down, in order
    };

    // Each answer is the texts typed one after another, OK being pressed after each;
    // when an answer runs out (or there is none) the box is cancelled.
    std::deque<QStringList> InputAnswers;
    // "Да" or "Нет" to each question in turn; none left means "Нет".
    std::deque<bool> QuestionAnswers;
    // Each answer is a chosen path, or nothing for Cancel; none left means Cancel.
    std::deque<std::optional<QString>> FileAnswers;
    TMemoryStatus Memory{8ull << 30, 3ull << 30};
    bool MemoryFails = false; // the memory query raises a platform error

    std::vector<TMessage> Messages;
    std::vector<TQuestion> Questions;
    std::vector<TInputQuery> Queries;
    std::vector<TFileDialogOptions> FileDialogs;
    QStringList OpenedDocuments;

    void MessageBox(QWidget* AOwner, const QString& AText, const QString& ACaption,
                    TMessageKind AKind) override;
    bool Question(QWidget* AOwner, const QString& AText, const QString& ACaption) override;
    bool InputQuery(QWidget* AOwner, const QString& ACaption, const QString& APrompt,
                    QString& AValue, const TCloseQuery& ACloseQuery) override;
    std::optional<QString> OpenFileDialog(QWidget* AOwner,
                                          const TFileDialogOptions& AOptions) override;
    std::optional<QString> SaveFileDialog(QWidget* AOwner,
                                          const TFileDialogOptions& AOptions) override;
    void OpenDocument(const QString& ADocument) override;
    TMemoryStatus MemoryStatus() override;

private:
    std::optional<QString> NextFileAnswer(const TFileDialogOptions& AOptions);
};
