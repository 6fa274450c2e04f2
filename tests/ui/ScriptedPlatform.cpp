// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScriptedPlatform.h"

void TScriptedPlatform::MessageBox(QWidget* /*AOwner*/, const QString& AText,
                                   const QString& ACaption, TMessageKind AKind) {
    Messages.push_back({AText, ACaption, AKind});
}

bool TScriptedPlatform::Question(QWidget* /*AOwner*/, const QString& AText,
                                 const QString& ACaption) {
    Questions.push_back({AText, ACaption});
    if (QuestionAnswers.empty())
        return false;
    const bool Yes = QuestionAnswers.front();
    QuestionAnswers.pop_front();
    return Yes;
}

bool TScriptedPlatform::InputQuery(QWidget* /*AOwner*/, const QString& ACaption,
                                   const QString& APrompt, QString& AValue,
                                   const TCloseQuery& ACloseQuery) {
    Queries.push_back({ACaption, APrompt, AValue, {}});
    if (InputAnswers.empty())
        return false;
    const QStringList Typed = InputAnswers.front();
    InputAnswers.pop_front();
    for (const QString& Text : Typed) {
        if (!ACloseQuery || ACloseQuery(Text)) {
            AValue = Text;
            return true;
        }
        Queries.back().Refused << Text;
    }
    return false;
}

std::optional<QString> TScriptedPlatform::NextFileAnswer(const TFileDialogOptions& AOptions) {
    FileDialogs.push_back(AOptions);
    if (FileAnswers.empty())
        return std::nullopt;
    const bool Chosen = FileAnswers.front().has_value();
    const QString Path = FileAnswers.front().value_or(QString());
    FileAnswers.pop_front();
    if (!Chosen)
        return std::nullopt;
    return Path;
}

std::optional<QString> TScriptedPlatform::OpenFileDialog(QWidget* /*AOwner*/,
                                                         const TFileDialogOptions& AOptions) {
    return NextFileAnswer(AOptions);
}

std::optional<QString> TScriptedPlatform::SaveFileDialog(QWidget* /*AOwner*/,
                                                         const TFileDialogOptions& AOptions) {
    return NextFileAnswer(AOptions);
}

void TScriptedPlatform::OpenDocument(const QString& ADocument) {
    OpenedDocuments << ADocument;
}

TMemoryStatus TScriptedPlatform::MemoryStatus() {
    if (MemoryFails)
        throw EPlatformError(QStringLiteral("Системная ошибка"));
    return Memory;
}
