#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace murelo::gui {

// The editor's fixed-text message boxes. Every report and question goes through here,
// so a window test can answer them without a person at the screen.
enum class BoxKind { Report, Question };

// Answers one box: true for OK. A report's answer is ignored.
using BoxHandler = std::function<bool(BoxKind kind, const QString& text, const QString& caption)>;

// Replaces how boxes are shown (tests); an empty handler restores the real boxes.
void SetBoxHandler(BoxHandler handler);

// A report with one OK button.
void ShowReport(QWidget* parent, const QString& text, const QString& caption);
// A question with OK and Cancel buttons; true only for OK.
bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption);

// The box ShowReport and AskOkCancel run: wide enough for its caption (a short text such as
// "OK!" would leave the title bar too narrow for "Export"), above the always-on-top tool
// windows.
std::unique_ptr<QMessageBox> MakeBox(QWidget* parent, BoxKind kind, const QString& text,
                                     const QString& caption);

} // namespace murelo::gui
