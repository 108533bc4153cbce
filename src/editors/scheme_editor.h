#pragma once

#include "editors/record_editor.h"
#include "storage/scheme_record.h"

#include <array>
#include <cstdint>

class QComboBox;
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

    explicit SchemeEditor(const AppContext& app, QWidget* parent = nullptr);

    void onCmdCreateClicked() override;

protected:
    void fillCaptions() override;
    void showFields() override;
    void clearFields() override;
    void applyMode(Mode mode) override;
    void setFieldsEnabled(bool enabled) override;
    QList<QWidget*> typedFields() const override;
    bool checkPresence() override;
    bool convertFields() override;
    bool checkValues() override;
    bool buildRecord() override;
    bool textsReplaced() const override;

private:
    void arrangeWindow();
    // Shows a stored type: chooses the list entry of that text (trailing blanks aside); a text
    // that is neither entry leaves no entry chosen and is shown greyed in the empty box.
    void showType(const QString& stored);

    // The values the last conversion took from the fields.
    SchemeRecord typed_;

    // txtLevel(i) is txtLevel[i - 1].
    std::array<QLineEdit*, kLevels> txtLevel{};
    QComboBox* cmbType;
    QLineEdit* txtMinPayment;
    QLineEdit* txtPeriodicity;
    QLineEdit* txtUnit;
};

} // namespace zelt
