// The text field's editing: the caret, whole characters outside the basic plane, words, paste.
#include "engine/FieldText.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(FieldText, TheCaretMovesByWholeCharactersAndEditsWhereItIs)
{
    TFieldText field;
    field.Type(L"Step 2\t\x7F");  // no control characters
    EXPECT_EQ(field.Text(), L"Step 2");
    field.Left();
    field.Type(L"1 and ");
    EXPECT_EQ(field.Text(), L"Step 1 and 2");
    field.Home();
    field.Left();  // stays at the start
    field.Delete();
    EXPECT_EQ(field.Text(), L"tep 1 and 2");
    field.End();
    field.Right();                  // stays at the end
    field.Delete();                 // nothing after the caret
    field.Type(L" \xD83D\xDE00!");  // a letter outside the basic plane: two UTF-16 units
    field.Left();
    field.Left();
    EXPECT_EQ(field.Caret(), field.Text().size() - 3) << "one step over the pair";
    field.Backspace();
    EXPECT_EQ(field.Text(), L"tep 1 and 2\xD83D\xDE00!");
    field.Delete();
    EXPECT_EQ(field.Text(), L"tep 1 and 2!") << "both units go together";
    field.Backspace();
    field.Backspace();
    field.Backspace();
    EXPECT_EQ(field.Text(), L"tep 1 an!");
}

TEST(FieldText, CtrlBackspaceTakesAWordAndPasteKeepsTheFirstLine)
{
    TFieldText field;
    field.Type(L"one two  three");
    field.BackspaceWord();
    EXPECT_EQ(field.Text(), L"one two  ");
    field.BackspaceWord();
    EXPECT_EQ(field.Text(), L"one ");
    field.Left();
    field.BackspaceWord();
    EXPECT_EQ(field.Text(), L" ");
    EXPECT_EQ(field.Caret(), 0u);
    field.BackspaceWord();  // nothing before the caret
    field.Paste(L"first\tline\r\nsecond line");
    EXPECT_EQ(field.Text(), L"firstline ");
    field.Paste(L"");
    field.Paste(L"\nonly later lines");
    EXPECT_EQ(field.Text(), L"firstline ");
    EXPECT_EQ(field.Caret(), 9u);
}

}  // namespace
}  // namespace zelvora
