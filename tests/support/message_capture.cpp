#include "support/message_capture.h"

#include "ui/message_box.h"

namespace zelt::test {

namespace {

QString describe(const QString& text, bool fragment, bool question) {
    return question   ? QStringLiteral("the question \"%1\"").arg(text)
           : fragment ? QStringLiteral("a message containing \"%1\"").arg(text)
                      : QStringLiteral("\"%1\"").arg(text);
}

} // namespace

MessageCapture::MessageCapture() {
    setMessageHandler([this](const QString& text) { receive(text); });
    setQuestionHandler([this](const QString& text) { return answer(text); });
}

MessageCapture::~MessageCapture() {
    setMessageHandler({});
    setQuestionHandler({});
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
        faults_.append(QStringLiteral("expected %1, shown \"%2\"")
                           .arg(describe(wanted.text, wanted.fragment, wanted.question), text));
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
        faults_.append(QStringLiteral("expected %1, asked \"%2\"")
                           .arg(describe(wanted.text, wanted.fragment, wanted.question), text));
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
        lines.append(QStringLiteral("expected but never shown: %1")
                         .arg(describe(wanted.text, wanted.fragment, wanted.question)));
    return lines.join(QLatin1Char('\n'));
}

} // namespace zelt::test
