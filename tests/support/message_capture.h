#pragma once

#include "ui/message_box.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <string>

// Stands in for the message box and the question box in GUI tests. A test names the messages it
// expects, in order, before the action that shows them; every message shown must be the next
// expected one, and at the end of the test none may be left over. Installed as the message handler
// while it lives.
//
//     zelt::test::MessageCapture messages;
//     messages.expect(zelt::kMsgNoRecord);
//     QTest::mouseClick(goTo, Qt::LeftButton);
//     ZELT_VERIFY_MESSAGES(messages);
namespace zelt::test {

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    void expect(const QString& text) { expected_.push_back({text}); }
    void expect(const char* text) { expect(QString::fromUtf8(text)); }
    // A message that holds the fragment, for texts made at run time (a file-system failure
    // names the file and the system's reason).
    void expectContaining(const QString& fragment) { expected_.push_back({fragment, true}); }
    // A question with this text, answered so. An unexpected question is answered No.
    void expectQuestion(const QString& text, Answer answer) {
        expected_.push_back({text, false, true, answer});
    }
    // From now on a question that is not expected is answered Yes and is no fault: for closing
    // a window at the end of a test, whatever state the test left it in.
    void answerUnexpectedQuestionsYes() { unexpectedYes_ = true; }

    // Every message shown so far, expected or not.
    const QStringList& shown() const { return shown_; }
    // True when every shown message was expected and no expected one is still waiting.
    bool ok() const { return faults_.isEmpty() && expected_.empty(); }
    // What went wrong, one line per fault; empty when ok().
    QString problems() const;

private:
    // A message (question false) or a question shown: checked against the next expected one.
    Answer take(const QString& text, bool question);

    struct Expected {
        QString text;
        bool fragment = false;
        bool question = false;
        Answer answer = Answer::No;
    };
    static QString describe(const Expected& wanted);
    std::deque<Expected> expected_;
    QStringList shown_, faults_;
    bool unexpectedYes_ = false;
};

} // namespace zelt::test

// Fails the current test function with the list of faults unless the messages went as expected.
#define ZELT_VERIFY_MESSAGES(capture) QVERIFY2((capture).ok(), qPrintable((capture).problems()))
