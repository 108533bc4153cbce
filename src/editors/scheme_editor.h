#pragma once

#include "editors/record_editor.h"

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;

namespace zelt {

// The payment scheme editor frmAPSettings: one scheme a record of data/apsettings.kvr, record n
// holding scheme n. Eight level payments in a control array, the type of payment chosen from a
// two-entry list, the minimal payment, the periodicity in days and the unit. A scheme that is
// only browsed is locked; cmdEdit opens it. No search and no side files.
class SchemeEditor : public RecordEditor {
    Q_OBJECT

public:
    // Scheme numbers are stored in 16 bits.
    static constexpr std::int32_t kMaxSchemes = 32767;
    static constexpr int kLevels = 8;

    explicit SchemeEditor(QWidget* parent = nullptr);

    void Fill_captions() override;
    void Verify_types(std::int16_t& res) override;
    bool From_frm() override;
    void To_frm() override;
    void Clear_frm() override;
    void Enabled_frm(std::int16_t& mode) override;
    void InputFields(bool& fl) override;

    void cmdCreate_Click() override;

protected:
    QList<QWidget*> Typed_fields() const override;
    bool Check_presence() override;
    bool Check_values() override;
    bool Texts_replaced() const override;

private:
    void createFields();
    void arrangeWindow();
    // Shows a stored type: chooses the list entry of that text (trailing blanks aside); a text
    // that is neither entry leaves no entry chosen and is shown greyed in the empty box.
    void showType(const QString& stored);

    QLabel* lblToAffiliates;
    // txtLevel(i) and lblLabels(i) are txtLevel[i - 1] and lblLabels[i - 1].
    std::array<QLabel*, kLevels> lblLabels{};
    std::array<QLineEdit*, kLevels> txtLevel{};
    QLabel* lblType;
    QComboBox* cmbType;
    QLabel* lblMinPayment;
    QLineEdit* txtMinPayment;
    QLabel* lblPeriodicity;
    QLineEdit* txtPeriodicity;
    QLabel* lblUnit;
    QLineEdit* txtUnit;
};

} // namespace zelt
