#include "support/message_capture.h"

#include "ui/message_box.h"

namespace zelt::test {

MessageCapture::MessageCapture() {
    setMessageHandler([this](const QString& text) { receive(text); });
    setQuestionHandler([this](const QString& text) { return answer(text); });
}

MessageCapture::~MessageCapture() {
    setMessageHandler({});
    setQuestionHandler({});
}

bool MessageCapture::Expected::matches(const QString& shown) const {
    return fragment ? shown.contains(text) : shown == text;
}

QString MessageCapture::Expected::describe() const {
    if (question)
        return QStringLiteral("the question \"%1\"").arg(text);
    return fragment ? QStringLiteral("a message containing \"%1\"").arg(text)
                    : QStringLiteral("\"%1\"").arg(text);
}

void MessageCapture::expect(const QString& text) {
    expected_.push_back({text, false});
}
void MessageCapture::expect(const std::string& text) {
    expect(QString::fromStdString(text));
}
void MessageCapture::expect(const char* text) {
    expect(QString::fromUtf8(text));
}
void MessageCapture::expectContaining(const QString& fragment) {
    expected_.push_back({fragment, true});
}

void MessageCapture::expectQuestion(const QString& text, Answer answer) {
    expected_.push_back({text, false, true, answer});
}

void MessageCapture::receive(const QString& text) {
    shown_.append(text);
    if (expected_.empty()) {
        faults_.append(QStringLiteral("unexpected message: \"%1\"").arg(text));
        return;
    }
    const Expected wanted = expected_.front();
    expected_.pop_front();
    if (wanted.question || !wanted.matches(text))
        faults_.append(QStringLiteral("expected %1, shown \"%2\"").arg(wanted.describe(), text));
}

Answer MessageCapture::answer(const QString& text) {
    shown_.append(text);
    if (expected_.empty() && unexpectedYes_)
        return Answer::Yes;
    if (expected_.empty()) {
        faults_.append(QStringLiteral("unexpected question: \"%1\"").arg(text));
        return Answer::No;
    }
    const Expected wanted = expected_.front();
    expected_.pop_front();
    if (!wanted.question || !wanted.matches(text)) {
        faults_.append(QStringLiteral("expected %1, asked \"%2\"").arg(wanted.describe(), text));
        return Answer::No;
    }
    return wanted.answer;
}

bool MessageCapture::ok() const {
    return faults_.isEmpty() && expected_.empty();
}

QString MessageCapture::problems() const {
    QStringList lines = faults_;
    for (const Expected& wanted : expected_)
        lines.append(QStringLiteral("expected but never shown: %1").arg(wanted.describe()));
    return lines.join(QLatin1Char('\n'));
}

void MessageCapture::clear() {
    expected_.clear();
    shown_.clear();
    faults_.clear();
}

} // namespace zelt::test
