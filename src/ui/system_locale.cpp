#include "ui/system_locale.h"

#include <QLocale>
#include <QRegularExpression>
#include <QString>

namespace zelt {

namespace {

// A format string of QDateTime without its quoted literals ('...'), each replaced by a blank.
QString unquoted(const QString& format) {
    QString plain;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            plain.append(QLatin1Char(' '));
        } else {
            plain.append(quoted ? QChar(QLatin1Char(' ')) : c);
        }
    }
    return plain;
}

struct DateField {
    QChar letter;    // 'd', 'M' or 'y'
    qsizetype start; // position of the run in the format
    qsizetype length;
};

// Reads the day, month and year fields of a short date format into rules. A format that lacks one
// of them, or has no plain separator between them, leaves rules as they were.
void readDateFormat(const QString& format, LocaleRules& result) {
    LocaleRules rules = result;
    const QString plain = unquoted(format);
    QList<DateField> fields;
    for (qsizetype i = 0; i < plain.size();) {
        const QChar c = plain.at(i);
        qsizetype end = i;
        while (end < plain.size() && plain.at(end) == c)
            ++end;
        const bool dayOfMonth = c == QLatin1Char('d') && end - i <= 2; // ddd is a weekday name
        if (dayOfMonth || c == QLatin1Char('M') || c == QLatin1Char('y'))
            fields.append({c, i, end - i});
        i = end;
    }
    if (fields.size() != 3)
        return;

    QString order;
    for (const DateField& field : fields)
        order.append(field.letter);
    if (order == QLatin1String("dMy"))
        rules.dateOrder = LocaleRules::DateOrder::DayMonthYear;
    else if (order == QLatin1String("Mdy"))
        rules.dateOrder = LocaleRules::DateOrder::MonthDayYear;
    else if (order == QLatin1String("yMd"))
        rules.dateOrder = LocaleRules::DateOrder::YearMonthDay;
    else
        return;

    const qsizetype separatorStart = fields[0].start + fields[0].length;
    const QString separator = plain.mid(separatorStart, fields[1].start - separatorStart);
    bool hasDigitOrLetter = false;
    for (const QChar c : separator)
        hasDigitOrLetter = hasDigitOrLetter || c.isLetterOrNumber();
    const bool onlyBlanks = separator.trimmed().isEmpty();
    if (hasDigitOrLetter || (onlyBlanks && separator != QLatin1String(" ")))
        return;
    rules.dateSeparator = separator.toStdString();

    for (const DateField& field : fields) {
        // A month by name (MMM) is shown as its number, with two digits.
        if (field.letter == QLatin1Char('d'))
            rules.dayLeadingZero = field.length >= 2;
        else if (field.letter == QLatin1Char('M'))
            rules.monthLeadingZero = field.length >= 2;
    }
    // The dot that ends the date in Hungarian and Korean ("yyyy. MM. dd.").
    const DateField& last = fields[2];
    rules.dateTrailingDot = format.mid(last.start + last.length) == QLatin1String(".");
    result = rules;
}

// The 12 or 24 hour clock, the hour's leading zero, the separator between hours and minutes
// (kept only when it is plain punctuation: "H.mm" in Finnish) and whether AM/PM comes first.
void readTimeFormat(const QString& format, LocaleRules& rules) {
    const QString plain = unquoted(format);
    rules.twelveHour = plain.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    rules.hourLeadingZero = plain.contains(QLatin1String("hh"), Qt::CaseInsensitive);

    const qsizetype hour = plain.indexOf(QRegularExpression(QStringLiteral("[hH]")));
    const qsizetype minute = plain.indexOf(QLatin1Char('m'));
    if (hour < 0 || minute < hour)
        return;
    qsizetype hourEnd = hour;
    while (hourEnd < plain.size() && plain.at(hourEnd).toLower() == QLatin1Char('h'))
        ++hourEnd;
    const QString separator = plain.mid(hourEnd, minute - hourEnd);
    bool plainPunctuation = !separator.isEmpty();
    for (const QChar c : separator)
        plainPunctuation = plainPunctuation && c.isPunct();
    if (plainPunctuation)
        rules.timeSeparator = separator.toStdString();
    const qsizetype amPm = plain.indexOf(QLatin1Char('a'), 0, Qt::CaseInsensitive);
    rules.amPmBeforeTime = rules.twelveHour && amPm < hour;
}

} // namespace

LocaleRules rulesFromLocale(const QLocale& locale) {
    // The formats are read whatever the locale's language: with LANG=C the system locale still
    // reports the formats of LC_TIME and LC_NUMERIC. Only the C locale's own date format ("d MMM
    // yyyy") keeps the C rules' dates.
    LocaleRules rules = LocaleRules::c();
    const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    if (dateFormat != QLocale::c().dateFormat(QLocale::ShortFormat))
        readDateFormat(dateFormat, rules);
    readTimeFormat(locale.timeFormat(QLocale::ShortFormat), rules);
    if (!locale.amText().isEmpty() && !locale.pmText().isEmpty()) {
        rules.amText = locale.amText().toStdString();
        rules.pmText = locale.pmText().toStdString();
    }

    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (!decimal.isEmpty())
        rules.decimalSeparator = decimal.toStdString();
    rules.groupSeparator = group != decimal ? group.toStdString() : std::string();
    return rules;
}

} // namespace zelt
