// The controls of the payment scheme editor and their places in the window.
#include "editors/field_text.h"
#include "editors/scheme_editor.h"
#include "ui/focus_chain.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelt {

namespace {

QLineEdit* makeLineField(QWidget* parent, const QString& name, const char* initial) {
    auto* field = new QLineEdit(QString::fromLatin1(initial), parent);
    field->setObjectName(name);
    makeSingleLine(field);
    return field;
}

QLabel* makeLabel(QWidget* parent, const QString& name, QWidget* buddy) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void SchemeEditor::createFields() {
    // The initial contents are what the window shows while the scheme file is still empty.
    for (int i = 1; i <= kLevels; ++i) {
        const QString index = QStringLiteral("(") + QString::number(i) + QStringLiteral(")");
        txtLevel[i - 1] = makeLineField(this, QStringLiteral("txtLevel") + index, "0");
        lblLabels[i - 1] = makeLabel(this, QStringLiteral("lblLabels") + index, txtLevel[i - 1]);
    }
    cmbType = new QComboBox(this);
    cmbType->setObjectName(QStringLiteral("cmbType"));
    cmbType->setEditable(false);
    txtMinPayment = makeLineField(this, QStringLiteral("txtMinPayment"), "10");
    txtPeriodicity = makeLineField(this, QStringLiteral("txtPeriodicity"), "30");
    txtUnit = makeLineField(this, QStringLiteral("txtUnit"), "$");

    lblToAffiliates = new QLabel(this);
    lblToAffiliates->setObjectName(QStringLiteral("lblToAffiliates"));
    QFont heading = lblToAffiliates->font();
    heading.setBold(true);
    lblToAffiliates->setFont(heading);
    lblType = makeLabel(this, QStringLiteral("lblType"), cmbType);
    lblMinPayment = makeLabel(this, QStringLiteral("lblMinPayment"), txtMinPayment);
    lblPeriodicity = makeLabel(this, QStringLiteral("lblPeriodicity"), txtPeriodicity);
    lblUnit = makeLabel(this, QStringLiteral("lblUnit"), txtUnit);

    // Captions of this window's own that Fill_captions leaves as they are.
    cmdEdit->setText(QStringLiteral("Edit record"));
    cmdGoTo->setText(QStringLiteral("Go to record N"));
}

void SchemeEditor::arrangeWindow() {
    auto* fields = new QGridLayout;
    fields->addWidget(lblToAffiliates, 0, 0, 1, 2);
    int row = 1;
    for (int i = 0; i < kLevels; ++i, ++row) {
        fields->addWidget(lblLabels[i], row, 0);
        fields->addWidget(txtLevel[i], row, 1);
    }
    const std::pair<QLabel*, QWidget*> rest[] = {{lblType, cmbType},
                                                 {lblMinPayment, txtMinPayment},
                                                 {lblPeriodicity, txtPeriodicity},
                                                 {lblUnit, txtUnit}};
    for (const auto& [label, field] : rest) {
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }
    fields->setColumnStretch(1, 1);

    auto* window = new QVBoxLayout(this);
    window->addLayout(fields);
    window->addStretch();
    window->addLayout(recordBar());

    // The input order, then the record and export buttons.
    QList<QWidget*> order(txtLevel.begin(), txtLevel.end());
    order << cmbType << txtMinPayment << txtPeriodicity << txtUnit;
    setFocusChain(order + recordControls());
}

} // namespace zelt
