#include "support/message_capture.h"

#include "ui/message_box.h"

namespace zelt::test {

MessageCapture::MessageCapture() {
    setMessageHandler([this](const QString& text) { take(text, false); });
    setQuestionHandler([this](const QString& text) { return take(text, true); });
}

MessageCapture::~MessageCapture() {
    setMessageHandler({});
    setQuestionHandler({});
}

QString MessageCapture::describe(const Expected& wanted) {
    return (wanted.question   ? QStringLiteral("the question \"%1\"")
            : wanted.fragment ? QStringLiteral("a message containing \"%1\"")
                              : QStringLiteral("\"%1\""))
        .arg(wanted.text);
}

Answer MessageCapture::take(const QString& text, bool question) {
    shown_.append(text);
    const QString kind = question ? QStringLiteral("question") : QStringLiteral("message");
    if (expected_.empty() && question && unexpectedYes_)
        return Answer::Yes;
    if (expected_.empty()) {
        faults_.append(QStringLiteral("unexpected %1: \"%2\"").arg(kind, text));
        return Answer::No;
    }
    const Expected wanted = expected_.front();
    expected_.pop_front();
    if (wanted.question != question ||
        !(wanted.fragment ? text.contains(wanted.text) : text == wanted.text)) {
        faults_.append(
            QStringLiteral("expected %1, got the %2 \"%3\"").arg(describe(wanted), kind, text));
        return Answer::No;
    }
    return wanted.answer;
}

QString MessageCapture::problems() const {
    QStringList lines = faults_;
    for (const Expected& wanted : expected_)
        lines.append(QStringLiteral("expected but never shown: ") + describe(wanted));
    return lines.join(QLatin1Char('\n'));
}

} // namespace zelt::test
