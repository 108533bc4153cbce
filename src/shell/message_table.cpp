#include "shell/message_table.h"

namespace zelt {

MessageTableTexts MessageTable;

void fill_message_table() {
    MessageTable.MsgEnterData = "Please enter the data to the field";
    MessageTable.MsgSelectValue = "Please select the value from the list";
    MessageTable.MsgIncorrectValue = "Sorry, you entered not correct value";
    MessageTable.MsgNoRecord = "Sorry, this record does not exist";
    MessageTable.MsgNoMember = "Sorry, there is no a Zelt member with this ID";
    MessageTable.MsgCreateRecord = "Please create a new record";
    MessageTable.MsgCreateSchemes = "Please create records with Zelt settings";
}

} // namespace zelt
