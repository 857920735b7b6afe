#include <QApplication>
#include "app/DialogFont.h"
#include "chart/ChartRender.h"
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qelvar::BirthData bd; std::string err;
    qelvar::RenderChartPng(bd, std::chrono::year{2026}/12/7, "/tmp/chart.png", &err);
}
