// The five editor windows driven as the operator drives them, one scenario per table row (the
// row's language is described in support/window_driver.h): captions and enable states in each
// mode, every refusal of a save with its message and focus, saves that land exact bytes, moving
// and going to a record, the discard question, the search grid and its gestures, the exports.
#include "support/test_registry.h"
#include "support/window_driver.h"

#include <QtTest>

using namespace zelt;
using namespace zelt::test;

namespace {

// "name ^ kind ^ changes ^ message ^ focus", one a line: a new record, valid but for the
// changes, refused at saving: nothing written, still creating.
void refusedRows(const char* table) {
    for (const QString& line : tableLines(table)) {
        const QStringList c = line.split(QStringLiteral(" ^ "));
        QTest::newRow(qPrintable(c[0])) << QStringList{
            c[1], QStringLiteral("sample"), QStringLiteral("cmdCreate|valid|%1|cmdSave").arg(c[2]),
            c[3], QStringLiteral("same|+cmdSave|-cmdCreate|txtCurrent_Record=3|focus=") + c[4]};
    }
}

} // namespace

class EditorWindowsTest : public QObject, private EditorWindows {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void scenarios_data() {
        addScenarioColumns();
        // Every refusal of a save, with its message and the focus it leaves.
        refusedRows(R"(
sales member empty ^ sales ^ txtAffiliateID= ^ enter ^ txtAffiliateID
sales member letters ^ sales ^ txtAffiliateID=x ^ incorrect ^ txtAffiliateID
sales member 0 ^ sales ^ txtAffiliateID=0 ^ incorrect ^ txtAffiliateID
sales sum letters ^ sales ^ txtSum=1x ^ incorrect ^ txtSum
sales member 3 of 2 ^ sales ^ txtAffiliateID=3 ^ noMember ^ txtAffiliateID
sales negative sum ^ sales ^ txtSum=-0,01 ^ incorrect ^ txtSum
sales impossible date ^ sales ^ txtDate=31.02.2001 ^ incorrect ^ txtDate
members name empty ^ members ^ txtName= ^ enter ^ txtName
members date empty ^ members ^ txtDate= ^ enter ^ txtDate
members egold letters ^ members ^ txtEgold_ID=12x ^ incorrect ^ txtEgold_ID
members scheme letters ^ members ^ cmbAP_ID=one ^ incorrect ^ cmbAP_ID
members scheme empty ^ members ^ cmbAP_ID= ^ select ^ cmbAP_ID
members referrer letters ^ members ^ txtRef_ID=x|txtDate=x|cmbAP_ID=x ^ incorrect ^ txtRef_ID
members referrer itself ^ members ^ txtRef_ID=3 ^ incorrect ^ txtRef_ID
members referrer 7 of 2 ^ members ^ txtRef_ID=7 ^ noRecord ^ txtRef_ID
members date wrong ^ members ^ txtDate=32.1.2001|txtEgold_ID=x|cmbAP_ID=x ^ incorrect ^ txtDate
communications member empty ^ communications ^ txtID= ^ enter ^ txtID
communications member letters ^ communications ^ txtID=x ^ incorrect ^ txtID
communications both dates empty ^ communications ^ txtDate=|txtDate_R= ^ incorrect ^ txtDate
communications answer date empty ^ communications ^ txtDate_R= ^ incorrect ^ txtDate_R
schemes type not chosen ^ schemes ^ cmbType= ^ select ^ cmbType
schemes level 1 empty ^ schemes ^ txtLevel(1)= ^ enter ^ txtLevel(1)
schemes level 1 at 0 ^ schemes ^ txtLevel(1)=0 ^ incorrect ^ txtLevel(1)
schemes min payment not a number ^ schemes ^ txtMinPayment=ten ^ incorrect ^ txtMinPayment
schemes periodicity 40000 ^ schemes ^ txtPeriodicity=40000 ^ incorrect ^ txtPeriodicity
schemes type before empty level 1 ^ schemes ^ txtLevel(1)=|cmbType= ^ select ^ cmbType
schemes conversions before level 1 at 0 ^ schemes ^ txtLevel(1)=0|txtLevel(3)=x ^ incorrect 
    ^ txtLevel(3)
schemes levels before periodicity ^ schemes ^ txtPeriodicity=40000|txtLevel(8)=x ^ incorrect 
    ^ txtLevel(8)
)");
        // Captions and enable states in each mode; the other refusals; saves that land exact
        // bytes; moving and going to a record; the discard question; the search grid and its
        // gestures; the exports.
        addScenarioRows(R"(
sales browsing ^ sales ^ sample ^  ^  ^ record=2|count=2|txtCurrent_Record=2|txtAffiliateID=2|
    txtDetails=sale details 2|window=frmSales:Sales:sales.kvr|lblLabel2=Sum |cmdDisplay=Find
sales creating ^ sales ^ sample ^ cmdCreate ^  ^ txtCurrent_Record=3|count=3|txtAffiliateID=|
    txtSum=|txtDate=@today|focus=txtAffiliateID|-cmdCreate|-cmdEdit|-nav
sales editing ^ sales ^ sample ^ cmdEdit ^  ^ +inputs|+cmdSave|-cmdCreate|-cmdEdit|-nav|
    +cmdSaveThisRecord|focus=txtAffiliateID
sales edited sum saved, the member's bytes kept ^ sales ^ sample ^ cmdEdit|txtSum=0,1|cmdSave ^  ^
    -cmdSave|data/sales.kvr@16#02000000cdcccc3d
sales empty file ^ sales ^  ^  ^  ^ -inputs|+txtDetails|-cmdSave|+cmdCreate|-cmdEdit|-nav|
    +cmdDisplay|+MSFGView|+cmdSaveThisRecord|+cmdSaveAllRecords|count=0|txtCurrent_Record=|
    data/sales.kvr=
payments their own, the shown one exported ^ payments ^ sample ^ cmdFirst|cmdSaveThisRecord ^  ^
    txtDetails=payment details 1|txtSum=1,5|window=frmPayments:Payments:payments.kvr|
    lblLabel2=Sum of Payment|output/Payments.txt=Member's ID;Sum;Date\r\n1;1,5;01.03.2001\r\n|
    output/Sales.txt=earlier Sales.txt\r\n
members browsing, all exported ^ members ^ sample ^ cmdSaveAllRecords ^  ^ txtAffiliateID=2|
    txtLevel=2|txtAdditional_Info=info of member 2|cmbAP_ID=1|lblLabel10=Member's ID|
    window=frmAffiliates:Members :affiliates.kvr|output/affiliates.txt@0#4e616d653b5375726e616d653b
members creating ^ members ^ sample ^ cmdCreate ^  ^ -txtAffiliateID|-txtLevel|txtAffiliateID=3|
    txtCurrent_Record=3|txtDate=@today|cmbAP_ID=|txtName=
members without schemes ^ members ^  ^  ^ createSchemes ^ -cmdCreate|-cmdEdit|-cmdSave|-nav|
    -cmdSaveThisRecord|-cmdSaveAllRecords|-txtName|-cmbAP_ID|-txtAdditional_Info|-cmdDisplay|
    -txtSname|-MSFGView|!data/affiliates.kvr|data/apsettings.kvr=
members without schemes closed ^ members ^  ^ close ^ createSchemes ^ closed|
    !backcopies/affiliates.kvr
members without schemes closed, members kept ^ members ^ data/affiliates.kvr*211 ^ close ^
    createSchemes ^ closed|backup:affiliates.kvr
communications browsing, the shown one exported ^ communications ^ sample ^ cmdSaveThisRecord ^  ^
    txtMessage=message 2|txtResponce=response 2|txtComments=comments 2|txtDate_R=02.05.2001|
    lblLabel13=Date of responce|window=frmCommunications:Communications :communications.kvr|
    cmdSaveAllRecords=Save all records as txt|output/communications.txt@69#323b436f6d706c61696e74
communications creating ^ communications ^ sample ^ cmdCreate ^  ^ txtDate_R=@today|txtMessage=
schemes browsing ^ schemes ^ sample ^  ^  ^ cmbType=Fixed|txtLevel(2)=2,5|cmdGoTo=Go to record N|
    lblLabels(3)= 3-rd level's members|window=frmAPSettings:AP Settings:apsettings.kvr
schemes creating ^ schemes ^ sample ^ cmdCreate ^  ^ txtCurrent_Record=3|txtMinPayment=|
    txtPeriodicity=30|txtUnit=$|txtLevel(1)=0|txtLevel(8)=0|cmbType=
schemes editing ^ schemes ^ sample ^ cmdEdit ^  ^ +inputs|+cmdSave|cmbType=Fixed
schemes saved: browsing again ^ schemes ^ sample ^ cmdEdit|cmdSave ^  ^ -inputs|+nav|-cmdSave|same
schemes empty file, exported ^ schemes ^  ^ cmdSaveAllRecords ^  ^ -inputs|+cmdCreate|-cmdSave|
    txtMinPayment=10|txtPeriodicity=30|txtUnit=$|txtLevel(1)=0|txtLevel(8)=0|cmbType=|
    data/apsettings.kvr=|output/APsettings.txt@0#4c6576656c313b
schemes: a new scheme has no minimal payment ^ schemes ^  ^ cmdCreate|cmdSave ^ enter ^ +inputs|
    +cmdSave|-nav|focus=txtMinPayment|data/apsettings.kvr=
schemes: another program's type ^ schemes ^ sample|data/apsettings.kvr@60#4f74686572202020202020 ^
    cmdEdit|cmdSave ^ select ^ cmbType=|focus=cmbType|same

sales: no record current, the sum converted first ^ sales ^  ^ txtAffiliateID=1|txtSum=x|
    txtDate=1.1.2001|save! ^ incorrect ^ same
members: no record current ^ members ^ schemes ^ txtName=Ann|txtAffiliateID=0|txtRef_ID=x|
    txtDate=1.1.2001|cmbAP_ID=1|save! ^ createRecord ^ same
communications: no record current ^ communications ^  ^ txtID=x|txtSubject=S|save! ^ createRecord ^
    same
schemes: no record current ^ schemes ^  ^ cmbType=Fixed|txtMinPayment=x|txtLevel(1)=5|save! ^
    incorrect ^ same
members referrer's level would overflow ^ members ^ sample|data/affiliates.kvr@410#ffffff7f ^
    cmdCreate|valid|cmdSave ^ incorrect ^ same|focus=txtRef_ID|+cmdSave
schemes: no scheme beyond 32767 ^ schemes ^ data/apsettings.kvr*1965960 ^ cmdCreate|valid|cmdSave|
    cmdCreate ^ incorrect ^ focus=cmdCreate|count=32767|record=32767|txtCurrent_Record=32767|
    -inputs|data/apsettings.kvr@1965986#ff7f
schemes: a record past the scheme numbers ^ schemes ^ data/apsettings.kvr*1966080 ^ cmdEdit|
    cmbType=Fixed|cmdSave ^ notCorrect ^ same|+cmdSave
a record cut off behind the window ^ sales ^ sample ^ cut:16|cmdFirst|cmdLast|cmdEdit ^
    createRecord ^ record=2|txtAffiliateID=|txtSum=|focus=cmdCreate|-cmdSave

sales new ^ sales ^ sample ^ cmdCreate|valid|txtSum=10,50|txtDetails=abc|txtCurrent_Record=x|
    cmdSave ^  ^ data/sales.kvr@32#02000000 00002841 00000000a007e240|count=3|record=3|-cmdSave|
    txtSum=10,5|txtCurrent_Record=3|txtDate=03.02.2001|addinfo/s3.txt=abc\r\n
payments new ^ payments ^ sample ^ cmdCreate|valid|txtSum=0|txtDate=16.11.2001 12:00|
    txtDetails=paid\nby hand|txtCurrent_Record=x|cmdSave ^  ^ txtCurrent_Record=3|
    data/payments.kvr@32#02000000 00000000 00000000702be240|txtDate=16.11.2001 12:00:00|
    addinfo/p3.txt=paid\r\nby hand\r\n|!addinfo/s3.txt
sales edited ^ sales ^ sample ^ cmdEdit|txtSum=7,25|cmdSave ^  ^
    data/sales.kvr@16#02000000 0000e840 00000000000be240|record=2|count=2|
    data/sales.kvr@0#01000000 00002841
sales after a refusal ^ sales ^ sample ^ cmdCreate|valid|txtAffiliateID=5|cmdSave|txtAffiliateID=1|
    cmdSave ^ noMember ^ data/sales.kvr@32#01000000 0000e040|-cmdSave|!addinfo/s3.txt
sales details emptied keep their file ^ sales ^ sample ^ cmdEdit|txtDetails=|cmdSave ^  ^
    addinfo/s2.txt=sale details 2\r\n|txtDetails=sale details 2
sales sum warned ^ sales ^ sample ^ cmdCreate|valid|txtSum=123456,78|cmdSave ^ storedAs:123456,8 ^
    data/sales.kvr@36#6420f147
sales details outside the code page ^ sales ^ sample ^ cmdCreate|valid|
    txtDetails=\u0416 \u20ac \u0436|cmdSave ^ replaced ^ addinfo/s3.txt=? \u0080 ?\r\n|
    txtDetails=? \u20ac ?
members new ^ members ^ sample ^ cmdCreate|valid|txtName=Cy|txtAdditional_Info=VIP|cmdSave ^  ^
    data/affiliates.kvr@422#43792020202020202020|count=3|txtEgold_ID=0|txtLevel=|
    data/affiliates.kvr@607#03000000 02000000 00000000 0200 03000000 00000000a007e240|
    addinfo/3.txt=VIP\r\n
members unchanged, its missing info file made ^ members ^ search ^ cmdFirst|cmdEdit|cmdSave ^  ^
    addinfo/1.txt=\r\n
members first member ^ members ^ schemes ^ cmdCreate|valid|txtRef_ID=0|cmbAP_ID=1|cmdSave|cmdFirst ^
     ^ data/affiliates.kvr@185#01000000 00000000 00000000 0100 01000000|txtLevel=1
members first member referred by nobody yet ^ members ^ schemes ^ cmdCreate|valid|cmdSave ^
    incorrect ^ data/affiliates.kvr=|focus=txtRef_ID
members referral cycle ^ members ^ sample ^ cmdFirst|cmdEdit|txtRef_ID=2|cmdSave ^  ^
    data/affiliates.kvr@189#02000000 e9030000 0100 03000000 000000006007e240|
    data/affiliates.kvr@410#02000000
members scheme outside the list ^ members ^ sample ^ cmdCreate|valid|cmbAP_ID=9|cmdSave ^  ^
    data/affiliates.kvr@619#0900
members name cut, then replaced ^ members ^ sample ^ cmdCreate|valid|
    txtName=\u0141ukasz \u0141ukasz \u0141ukasz \u0141|cmdSave ^ truncated|replaced ^
    data/affiliates.kvr@422#3f756b61737a203f756b61737a203f756b61737a|txtName=?ukasz ?ukasz ?ukasz
members info emptied ^ members ^ sample ^ cmdEdit|txtAdditional_Info=|cmdSave|cmdFirst|cmdNext ^  ^
    addinfo/2.txt=\r\n|txtAdditional_Info=
members the record read is the member ^ members ^ sample|data/affiliates.kvr@396#05000000 ^ cmdEdit|
    cmdSave ^  ^ txtAffiliateID=2|data/affiliates.kvr@396#02000000|count=2
communications new ^ communications ^ sample ^ cmdCreate|txtID=7,5|txtSubject=  Invoice  |
    txtCurrent_Record=x|txtMessage=Hello|txtComments=a\nb|txtDate=1.2.03|txtDate_R=20.11.2001|
    cmdSave ^  ^
    data/communications.kvr@100#08000000 496e766f696365 20202020202020202020202020202020202020202020
    20 00000000a062e240 00000000e02be240|comm/3.txt=Hello\r\n|comm/c3.txt=a\r\nb\r\n|!comm/r3.txt|
    txtID=7,5|txtDate=1.2.03|txtCurrent_Record=x
communications subject cut ^ communications ^ sample ^ cmdCreate|valid|
    txtSubject=abcdefghijklmnopqrstuvwxyz0123456789|cmdSave|cmdFirst|cmdLast ^ truncated ^
    data/communications.kvr@104#6162636465666768696a6b6c6d6e6f707172737475767778797a30313233|
    txtSubject=abcdefghijklmnopqrstuvwxyz0123
schemes new ^ schemes ^ sample ^ cmdCreate|valid|txtPeriodicity=030|txtCurrent_Record=x|cmdSave ^  ^
    data/apsettings.kvr@120#50657263656e74732020 00002041 1e00 24202020202020202020 0300 0000a040 00
    000000000000000000000000000000000000000000000000000000|-inputs|count=3|cmbType=Percents|
    txtUnit=$         |txtPeriodicity=30|txtCurrent_Record=3
schemes edited keeps its type ^ schemes ^ sample ^ cmdEdit|txtLevel(2)=7|cmdSave|cmdCreate ^  ^
    data/apsettings.kvr@60#46697865642020202020 00002041 1e00 24202020202020202020 0200 0000a040 000
    0e040 0000803f|cmbType=
schemes the number is the record's ^ schemes ^ sample ^ txtCurrent_Record=1|cmdEdit|txtLevel(1)=9|
    cmdSave ^  ^ data/apsettings.kvr@86#0200 00001041|data/apsettings.kvr@28#0000a040|
    txtCurrent_Record=2
schemes min payment warned ^ schemes ^ sample ^ cmdCreate|valid|txtMinPayment=123456,78|cmdSave ^
    storedAs:123456,8 ^ data/apsettings.kvr@130#6420f147|txtMinPayment=123456,8
schemes unit replaced ^ schemes ^ sample ^ cmdCreate|valid|txtUnit=\u20bdub|cmdSave ^ replaced ^
    data/apsettings.kvr@136#3f756220202020202020
schemes unit cut without a word ^ schemes ^ sample ^ cmdCreate|valid|txtUnit=ABCDEFGHIJ\u20bd|
    cmdSave ^  ^ data/apsettings.kvr@136#4142434445464748494a

next stops at the last ^ sales ^ sample ^ cmdNext ^  ^ record=2
go to past the count ^ sales ^ sample ^ txtCurrent_Record=3|cmdGoTo ^ noRecord ^ record=1
previous stops at the first ^ sales ^ sample ^ cmdFirst|cmdPrevious ^  ^ record=1|txtAffiliateID=1
go to empty ^ sales ^ sample ^ txtCurrent_Record=|cmdGoTo ^ enter ^ record=2|focus=txtCurrent_Record
go to 0 ^ sales ^ sample ^ txtCurrent_Record=0|cmdGoTo ^ noRecord ^ record=1|focus=txtCurrent_Record
go to by Enter ^ sales ^ sample ^ txtCurrent_Record=1|Return@txtCurrent_Record ^  ^ record=1
go to in a scheme ^ schemes ^ sample ^ txtCurrent_Record=1|cmdGoTo ^  ^ record=1|cmbType=Percents
texts never stay behind ^ communications ^ search ^ txtCurrent_Record=4|cmdGoTo|cmdNext ^  ^
    txtMessage=|record=5
member's info follows ^ members ^ search ^ txtCurrent_Record=3|cmdGoTo|cmdNext ^  ^
    txtAdditional_Info=|txtLevel=3

creating, nothing typed ^ sales ^ sample ^ cmdCreate|txtSAffID=1|cmdDisplay|row:0|cmdCreate ^  ^
    txtCurrent_Record=3|count=3
creating, Yes ^ sales ^ sample ^ cmdCreate|txtSum=7|txtSAffID=1|cmdDisplay|row:0 ^ yes? ^ record=1|
    txtSum=10,5|-cmdSave|+cmdCreate|count=2|same
creating, No ^ sales ^ sample ^ cmdCreate|txtSum=7|txtSAffID=1|cmdDisplay|row:0 ^ no? ^ txtSum=7|
    txtCurrent_Record=3|+cmdSave|same
chosen by Enter ^ sales ^ sample ^ cmdEdit|txtSAffID=1|cmdDisplay|enter:0 ^  ^ record=1|-cmdSave
closing, nothing typed ^ sales ^ sample ^ cmdCreate|close ^  ^ closed|backup:sales.kvr
closing while editing, Yes ^ sales ^ sample ^ cmdEdit|txtSum=7|close ^ yes? ^ closed|
    backup:sales.kvr|data/sales.kvr@16#020000000000a041
closing while creating, No ^ sales ^ sample ^ cmdCreate|txtSum=7|close ^ no? ^ txtSum=7|+cmdSave|
    backcopies/sales.kvr=earlier backup

sales member that is no number ^ sales ^ search ^ txtSAffID=8|cmdDisplay|txtSAffID=7a|cmdDisplay ^
    incorrect ^ focus=txtSAffID|rows=2|+cmdDisplay
sales date that is no date ^ sales ^ search ^ txtSAffID=8|cmdDisplay|txtSdate=32.13.2001|
    txtSAffID=7|cmdDisplay ^ incorrect ^ focus=txtSdate|rows=2
members egold that is no number ^ members ^ search ^ txtSreferenceid=2|cmdDisplay|txtSreferenceid=|
    txtSEgold_ID=12x|cmdDisplay ^ incorrect ^ focus=txtSreferenceid|rows=3,4|+cmdDisplay
sales by Enter ^ sales ^ search ^ txtSAffID=8|Return@txtSAffID ^  ^ rows=2
sales double click ^ sales ^ search ^ txtSAffID=7|cmdDisplay|row:2 ^  ^ record=3|
    txtCurrent_Record=3|txtDate=10.01.2002|txtDetails=third|-cmdSave
members double click while creating ^ members ^ search ^ cmdCreate|txtSreferenceid=2|cmdDisplay|
    row:0 ^  ^ record=3|txtLevel=2|txtAdditional_Info=line a\nline b|-cmdSave
sales heading double click ^ sales ^ search ^ txtSAffID=7|cmdDisplay|head ^ noRecord ^ record=5
sales sorted by sum ^ sales ^ search ^ txtSAffID=7|cmdDisplay|sort:3 ^  ^ col3=1,5,3,4|rows=1,3,4
the grid keeps what the search found ^ members ^ search ^ txtSname=ann|cmdDisplay|cmdEdit|
    txtName=Aaron|cmdSave ^  ^ col1=Ann, ANN,ann|data/affiliates.kvr@633#4161726f6e20

sales all ^ sales ^ sample ^ cmdSaveAllRecords ^  ^
    output/Sales.txt=Member's ID;Sum;Date\r\n1;10,5;01.03.2001\r\n2;20;02.03.2001\r\n|
    output/Payments.txt=earlier Payments.txt\r\n
sales: the new record has no line ^ sales ^ sample ^ cmdCreate|cmdSaveThisRecord ^  ^
    output/Sales.txt=Member's ID;Sum;Date\r\n
)");
    }
    void scenarios() { runScenario(); }
};

ZELT_TEST(EditorWindowsTest)
#include "test_editor_windows.moc"
