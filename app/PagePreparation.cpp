#include "PagePreparation.h"

#include "AssessmentRecord.h"
#include "Page.h"
#include "PageFactories.h"
#include "PageHost.h"
#include "PersonalDataEntry.h"
#include "QuestionCatalogue.h"

#include <QImage>
#include <QWidget>

#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tellumo::PagePreparation {

namespace {

// Holds a page for painting only: its buttons lead nowhere. Its record is
// filled as a walk through the questionnaire fills it, so the score page
// paints its score line and its highlighted class as well.
class ScratchHost : public PageHost {
public:
    ScratchHost()
    {
        FillStandardWeightTable(record_);
        ReadPersonalData({.name = "山田 花子", .age = "30", .height = "160", .weight = "55", .bodyFat = {},
                          .sex = Sex::Female, .bloodType = BloodType::O, .skinTone = SkinTone::Normal},
                         record_);
        for (int page = 1; page <= 2; ++page)
            StorePageAnswers(record_, page, [](int answerIndex) { return answerIndex % 10 == 1; });
    }
    AssessmentRecord& record() override { return record_; }
    void replacePage(QWidget*, PageFactory) override {}
    void endProgram(QWidget*) override {}

private:
    AssessmentRecord record_;
};

} // namespace

void decodeBackgrounds(qreal devicePixelRatio)
{
    keepBackground(CyanBackground, devicePixelRatio);
    keepBackground(YellowBackground, devicePixelRatio);
}

void paintEveryPageOnce(qreal devicePixelRatio)
{
    using Factory = QWidget* (*)(PageHost&);
    constexpr Factory factories[] = {
        createPersonalDataPage, createQuestionsQ1toQ10Page, createQuestionsQ11toQ19Page,
        createScorePage,        createDetailsPage,          createCautionPage,
        createAdvicePage,
    };
    // Each page is painted in bands into one small image, which is all the
    // memory the painting itself takes; glyphs are cached whichever band
    // draws them.
    constexpr int BandHeight = 96;
    constexpr int MaxPageWidth = 1024;
    QImage band(QSize(MaxPageWidth, BandHeight) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    band.setDevicePixelRatio(devicePixelRatio);
    {
        ScratchHost host;
        for (Factory create : factories) {
            const std::unique_ptr<QWidget> page(create(host));
            // Not to be taken for the page the user sees by anything that
            // looks pages up by name.
            page->setObjectName(page->objectName() + QStringLiteral("Preparation"));
            for (int top = 0; top < page->height(); top += BandHeight)
                page->render(&band, QPoint(0, 0), QRegion(0, top, page->width(), BandHeight));
        }
    }
    band = QImage();
#if defined(__GLIBC__)
    // The pages' memory went back to the heap in pieces; give the free
    // parts back to the system instead of keeping them for the whole run.
    malloc_trim(0);
#endif
}

} // namespace tellumo::PagePreparation
