// Creators of the seven pages, so that each page can open the next one
// without knowing its class.
#pragma once

class QWidget;

namespace tellumo {

class PageHost;

QWidget* createPersonalDataPage(PageHost& host);
QWidget* createQuestionsQ1toQ10Page(PageHost& host);
QWidget* createQuestionsQ11toQ19Page(PageHost& host);
QWidget* createScorePage(PageHost& host);
QWidget* createDetailsPage(PageHost& host);
QWidget* createCautionPage(PageHost& host);
QWidget* createAdvicePage(PageHost& host);

} // namespace tellumo
