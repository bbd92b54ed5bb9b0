// Creators of the seven pages, so that each page can open the next one
// without knowing its class.
#pragma once

class QWidget;

namespace tellumo {

class PageHost;

QWidget* createForm1(PageHost& host); // personal data
QWidget* createForm2(PageHost& host); // Q1..Q10
QWidget* createForm3(PageHost& host); // Q11..Q19
QWidget* createForm4(PageHost& host); // susceptibility result
QWidget* createForm5(PageHost& host); // detailed result
QWidget* createForm6(PageHost& host); // points of caution
QWidget* createForm7(PageHost& host); // mosquito-control advice

} // namespace tellumo
