#include "ui/message_box.h"

#include <QMessageBox>

namespace zelt {

namespace {
MessageHandler& handler() {
    static MessageHandler instance;
    return instance;
}
QuestionHandler& questionHandler() {
    static QuestionHandler instance;
    return instance;
}
} // namespace

void setQuestionHandler(QuestionHandler newHandler) {
    questionHandler() = std::move(newHandler);
}

Answer askQuestion(const QString& text, QWidget* parent) {
    if (questionHandler())
        return questionHandler()(text);
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void setMessageHandler(MessageHandler newHandler) {
    handler() = std::move(newHandler);
}

void showMessage(const QString& text, QWidget* parent) {
    if (handler()) {
        handler()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), text,
                    QMessageBox::Ok, parent);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void showMessage(const std::string& text, QWidget* parent) {
    showMessage(QString::fromStdString(text), parent);
}

void showMessage(const char* text, QWidget* parent) {
    showMessage(QString::fromUtf8(text), parent);
}

} // namespace zelt
