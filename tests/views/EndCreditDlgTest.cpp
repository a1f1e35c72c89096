#include "views/EndCreditDlg.h"

#include "views/CFontScrollView.h"
#include "views/EndCreditImageStatic.h"
#include "views/TextDisplayStatic.h"

#include "WidgetTestSupport.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Pellora::Views::EndCreditDlg;
using Pellora::Views::FontInfo;
using Pellora::Views::FontList;

FontList TestFonts()
{
    FontList fonts;
    for (const char16_t* name : {u"Arial", u"DejaVu Sans", u"DejaVu Serif", u"Liberation Mono"}) {
        fonts.push_back(std::make_shared<FontInfo>(FontInfo{name, name, {}}));
    }
    return fonts;
}

class EndCreditDlgTest : public ::testing::Test {
protected:
    EndCreditDlgTest()
    {
        QImage photo(400, 300, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        mPhotoPath = mFolder.filePath(QStringLiteral("photo.png")).toStdU16String();
        photo.save(QString::fromStdU16String(mPhotoPath));
        mStored = {mPhotoPath, u"DejaVu Serif", u"Line one\nLine two", true};
    }

    // The dialog as the photo strip opens it, with a known font list.
    EndCreditDlg& Open(const EndCreditInfo& record, FontList fonts = TestFonts())
    {
        mDialog = std::make_unique<EndCreditDlg>();
        mDialog->FontView()->SetFonts(std::move(fonts));
        mDialog->SetPhotoPath(mPhotoPath);
        mDialog->SetRecord(record);
        mDialog->show();
        return *mDialog;
    }

    Pellora::Testing::UsesApp mApp;
    QTemporaryDir mFolder;
    std::u16string mPhotoPath;
    EndCreditInfo mStored;
    std::unique_ptr<EndCreditDlg> mDialog;
};

TEST_F(EndCreditDlgTest, OpensWithTheStoredRecordAndOkStoresTheLinesSeparatedByLf)
{
    EndCreditDlg& dialog = Open(mStored);
    EXPECT_EQ(dialog.TextEdit()->document()->blockCount(), 2);
    EXPECT_EQ(dialog.TextEdit()->document()->findBlockByNumber(1).text(), QStringLiteral("Line two"));
    EXPECT_EQ(dialog.FontView()->GetSelectedFontName(), u"DejaVu Serif");
    EXPECT_TRUE(dialog.BoldSwitch()->isChecked());
    EXPECT_EQ(dialog.PhotoPreview()->Placement().Width, dialog.PhotoPreview()->width());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Record().Text, u"Line one\nLine two");
    EXPECT_EQ(dialog.Record().FontName, u"DejaVu Serif");
    EXPECT_TRUE(dialog.Record().Bold);
    EXPECT_EQ(dialog.Record().ImagePath, mPhotoPath);
}

TEST_F(EndCreditDlgTest, TextWithCrLfLineEndsIsStoredWithLfAlone)
{
    EndCreditDlg& dialog = Open(mStored);
    dialog.TextEdit()->setPlainText(QStringLiteral("Cast\r\nCrew\r\n"));
    dialog.OnOK();
    EXPECT_EQ(dialog.Record().Text, u"Cast\nCrew\n");
}

TEST_F(EndCreditDlgTest, RemoveAndOkWithAnEmptyTextBothRemoveTheCreditAndKeepTheText)
{
    struct Case {
        const char* label;
        bool clearText;
        bool remove;
    };
    for (const Case c : {Case{"remove", false, true}, Case{"empty text", true, false}}) {
        EndCreditDlg& dialog = Open(mStored);
        if (c.clearText) {
            dialog.TextEdit()->clear();
        }
        QTest::mouseClick(c.remove ? dialog.RemoveButton() : dialog.OkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.label;
        EXPECT_TRUE(dialog.Record().FontName.empty()) << c.label;
        EXPECT_EQ(dialog.Record().Text, mStored.Text) << c.label;
    }
}

TEST_F(EndCreditDlgTest, CancelLeavesTheRecordAsItWas)
{
    EndCreditDlg& dialog = Open(mStored);
    dialog.TextEdit()->setPlainText(QStringLiteral("Something else"));
    dialog.BoldSwitch()->click();
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Record().Text, mStored.Text);
    EXPECT_EQ(dialog.Record().FontName, mStored.FontName);
    EXPECT_TRUE(dialog.Record().Bold);
}

TEST_F(EndCreditDlgTest, TheOpeningFontIsTheStoredOneArialOrElseTheFirst)
{
    struct Case {
        const char* label;
        std::u16string stored;
        FontList fonts;
        std::u16string selected;
    };
    FontList withoutArial = TestFonts();
    withoutArial.erase(withoutArial.begin());
    const Case cases[] = {
        {"stored font", u"Liberation Mono", TestFonts(), u"Liberation Mono"},
        {"no stored font", u"", withoutArial, u"DejaVu Sans"},
        {"no stored font, Arial installed", u"", TestFonts(), u"Arial"},
        {"stored font gone", u"Gone Sans", withoutArial, u"DejaVu Sans"},
    };
    for (const Case& c : cases) {
        EndCreditDlg& dialog = Open({mPhotoPath, c.stored, u"Text", false}, c.fonts);
        EXPECT_EQ(dialog.FontView()->GetSelectedFontName(), c.selected) << c.label;
        EXPECT_EQ(dialog.TextPreview()->FontName(), c.selected) << c.label;
        dialog.OnOK();
        EXPECT_EQ(dialog.Record().FontName, c.selected) << c.label;
    }
}

TEST_F(EndCreditDlgTest, ANewCreditShowsThePlaceholderCast)
{
    EndCreditDlg& dialog = Open({mPhotoPath, {}, {}, false});
    EXPECT_TRUE(dialog.TextEdit()->toPlainText().startsWith(QStringLiteral("STARRING\n")));
    EXPECT_EQ(dialog.TextEdit()->document()->blockCount(), 3);
    EXPECT_FALSE(dialog.BoldSwitch()->isChecked());
}

TEST_F(EndCreditDlgTest, ThePreviewFollowsEveryChangeOfTextFontAndBold)
{
    EndCreditDlg& dialog = Open({mPhotoPath, u"DejaVu Sans", u"Old", false});
    dialog.TextEdit()->setPlainText(QStringLiteral("New\nText"));
    EXPECT_EQ(dialog.TextPreview()->Text(), u"New\nText");
    dialog.BoldSwitch()->click();
    EXPECT_TRUE(dialog.TextPreview()->Bold());
    dialog.FontView()->ClickAt(QPoint(5, static_cast<int>(dialog.FontView()->RowPixels() * 2.5f)));
    EXPECT_EQ(dialog.TextPreview()->FontName(), u"DejaVu Serif");
}

TEST_F(EndCreditDlgTest, WithNoFontsInstalledOkStoresNoEndCredit)
{
    EndCreditDlg& dialog = Open(mStored, {});
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.Record().FontName.empty());
}

} // namespace
