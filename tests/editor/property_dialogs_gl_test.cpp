#include "editor/editor_canvas.h"
#include "editor/property_dialogs.h"
#include "support/editor_runner.h"
#include "support/fake_map_chooser.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include <cstring>

using namespace cavtest;

namespace
{

// Makes `record` the frame's only, selected record; returns it as its class.
template <class Record>
Record& Select(EditorFrame& frame, std::int32_t kind)
{
    frame.document.records.clear();
    frame.document.records.push_back(CreateEntityRecord(kind));
    frame.document.selectedRecord = 0;
    return dynamic_cast<Record&>(*frame.document.records[0]);
}

void PressOk(wxDialog& dialog)
{
    wxButton* ok = wxDynamicCast(dialog.FindWindow(ID_PropertiesOk), wxButton);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetLabel(), "Ok");
    Click(ok);
    Settle();
}

TEST(PropertyDialogs, OkStoresEveryFieldByTheDialogsRules)
{
    RunEditor(
        [](EditorFrame& frame)
        {
            MovingPlatformRecord& platform = Select<MovingPlatformRecord>(frame, 18);
            platform.speed = 1.237f;
            {
                MovingPlatformDialog dialog(&frame);
                EXPECT_EQ(dialog.GetTitle(), "Platform Properties");
                EXPECT_EQ(dialog.startTargetText->GetValue(), "info_target");
                EXPECT_EQ(dialog.speedText->GetValue(), "1.24");
                EXPECT_TRUE(dialog.startOnCheck->GetValue());
                dialog.nameText->SetValue("a_name_of_twenty_chr");
                dialog.stopTimeText->SetValue("2.5x");
                dialog.repeatCheck->SetValue(true);
                dialog.startOnCheck->SetValue(false);
                PressOk(dialog);
                EXPECT_FALSE(dialog.IsShown());
            }
            EXPECT_STREQ(platform.name, "a_name_of_twent");
            EXPECT_STREQ(platform.startTarget, "info_target");
            for (std::size_t i = std::strlen("info_target"); i < kNameSize; ++i)
                EXPECT_EQ(platform.startTarget[i], '\0');
            EXPECT_FLOAT_EQ(platform.speed, 1.24f);
            EXPECT_FLOAT_EQ(platform.stopTime, 2.5f);
            EXPECT_TRUE(platform.repeat);
            EXPECT_FALSE(platform.startOn);

            RotatorRecord& rotator = Select<RotatorRecord>(frame, 10);
            {
                RotatorDialog dialog(&frame);
                dialog.speedText->SetValue("abc");
                dialog.incrementsText->SetValue("3.7");
                PressOk(dialog);
            }
            EXPECT_EQ(rotator.speed, 0.0f);
            EXPECT_EQ(rotator.increments, 3);

            {
                WorldPropertiesDialog dialog(&frame);
                EXPECT_EQ(dialog.endTimerText->GetValue(), "30"); // a new document's end timer
                dialog.titleText->SetValue("A TITLE OF EXACTLY THIRTY-TWO CH");
                dialog.passwordText->SetValue("SEVENPW");
                dialog.endTimerText->SetValue("3000000000");
                PressOk(dialog);
            }
            EXPECT_STREQ(frame.document.title, "A TITLE OF EXACTLY THIRTY-TWO C");
            EXPECT_STREQ(frame.document.password, "SEVEN");
            EXPECT_EQ(frame.document.endTimer, 2147483647);
        });
}

TEST(PropertyDialogs, ClosingWithoutOkWritesNothing)
{
    RunEditor(
        [](EditorFrame& frame)
        {
            ForceFieldRecord& field = Select<ForceFieldRecord>(frame, 1);
            const ForceFieldRecord before = field;
            char title[kTitleSize];
            std::memcpy(title, frame.document.title, sizeof title);
            {
                ForceFieldDialog dialog(&frame);
                dialog.nameText->SetValue("changed");
                dialog.offTimeText->SetValue("9");
                dialog.Close();
                Settle();
            }
            EXPECT_EQ(std::memcmp(field.name, before.name, kNameSize), 0);
            EXPECT_EQ(field.offTime, before.offTime);
            {
                WorldPropertiesDialog dialog(&frame);
                dialog.titleText->SetValue("changed");
                dialog.endTimerText->SetValue("5");
                dialog.Close();
                Settle();
            }
            EXPECT_EQ(std::memcmp(title, frame.document.title, sizeof title), 0);
            EXPECT_EQ(frame.document.endTimer, EditorDocument::kDefaultEndTimer);
        });
}

// "Ok" ends the modal loop of the command; the command's dialog is then discarded once.
TEST(PropertyDialogs, PropertiesCommandRunsTheKindsDialogModally)
{
    RunEditor(
        [](EditorFrame& frame)
        {
            FakeMapChooser chooser;
            RecordingPrompter prompter;
            frame.UsePrompts(chooser, prompter);
            ButtonRecord& button = Select<ButtonRecord>(frame, 2);
            wxTheApp->CallAfter(
                []
                {
                    for (wxWindow* window : wxTopLevelWindows)
                    {
                        ButtonDialog* dialog = dynamic_cast<ButtonDialog*>(window);
                        if (dialog != nullptr && dialog->IsModal())
                        {
                            dialog->targetText->SetValue("door");
                            PressOk(*dialog);
                            return;
                        }
                    }
                    ADD_FAILURE() << "no modal button dialog";
                    for (wxWindow* window : wxTopLevelWindows)
                    {
                        wxDialog* other = dynamic_cast<wxDialog*>(window);
                        if (other != nullptr && other->IsModal())
                            other->EndModal(wxID_CANCEL);
                    }
                });
            Choose(frame, ID_Properties);
            EXPECT_STREQ(button.target, "door");
            EXPECT_TRUE(prompter.boxes.empty());

            Select<EntityRecord>(frame, 20);
            Choose(frame, ID_Properties);
            const std::vector<std::string> boxes = {
                "No properties available for this entity|Properties"};
            EXPECT_EQ(prompter.Texts(), boxes);
        });
}

} // namespace
