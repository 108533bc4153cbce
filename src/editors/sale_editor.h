#pragma once

#include "editors/record_editor.h"
#include "storage/sale_record.h"

#include <cstdint>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace zelt {

// The sale editor frmSales and the payment editor frmPayments: one design in two windows, which
// differ only in names, captions and files. Each record has a details side file in "addinfo"
// (s<n>.txt for sales, p<n>.txt for payments), and the window holds the search by date and
// member.
class SaleEditor : public RecordEditor {
    Q_OBJECT

public:
    enum class Kind { Sales, Payments };

    SaleEditor(Kind kind, const AppContext& app, QWidget* parent = nullptr);

    // The search by date and member.
    void onCmdDisplayClicked() override;

protected:
    void fillCaptions() override;
    void showFields() override;
    void clearFields() override;
    void setFieldsEnabled(bool enabled) override;
    QList<QWidget*> typedFields() const override;
    bool checkPresence() override;
    bool convertFields() override;
    bool checkValues() override;
    bool checkSideFiles() override;
    bool buildRecord() override;
    bool textsReplaced() const override;
    bool saveSideTexts() override;
    void showNoRecord() override;

private:
    void arrangeWindow();
    // <dir>/addinfo/s<n>.txt or p<n>.txt
    std::string sidePathOf(std::int32_t n) const;

    const Kind kind_;
    // The values the last conversion took from the fields.
    SaleRecord typed_;

    QLineEdit* txtAffiliateID;
    QLineEdit* txtSum;
    QLineEdit* txtDate;
    QPlainTextEdit* txtDetails;
    QLineEdit* txtSdate;
    QLineEdit* txtSAffID;
};

} // namespace zelt
