#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zelt {

// The program's one message box: modal, the text, one OK button, the title
// "Zelt Management System", no icon. Returns when the operator has closed it.
void showMessage(const QString& text, QWidget* parent = nullptr);
void showMessage(const std::string& text, QWidget* parent = nullptr);
void showMessage(const char* text, QWidget* parent = nullptr); // UTF-8, as the std::string

// Tests route every message here instead of opening a box.
using MessageHandler = std::function<void(const QString& text)>;
void setMessageHandler(MessageHandler handler);

// The program's question box: modal, the text, the buttons Yes and No with No the default,
// Escape meaning No, the program's title, no icon. Returns the operator's answer.
enum class Answer { Yes, No };
Answer askQuestion(const QString& text, QWidget* parent = nullptr);

// Tests answer every question here instead of opening a box.
using QuestionHandler = std::function<Answer(const QString& text)>;
void setQuestionHandler(QuestionHandler handler);

inline constexpr const char* kApplicationTitle = "Zelt Management System";

} // namespace zelt
