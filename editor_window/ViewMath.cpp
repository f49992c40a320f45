// Window arithmetic of an editor view.
#include "editor_window/ViewMath.h"

TPosition PointToTextPosition(int x, int y, int cellWidth, int cellHeight, int leftCol, int32_t topLine,
                              bool outside)
{
    if (cellWidth < 1)
        cellWidth = 1;
    if (cellHeight < 1)
        cellHeight = 1;
    // Integer division truncates towards zero; points left of or above the text use floor division so
    // that dragging past the edge keeps moving one cell at a time.
    auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    int col = x >= 10 ? (x - 10) / cellWidth + leftCol : (outside ? floorDiv(x - 10, cellWidth) + leftCol : leftCol);
    int32_t line = floorDiv(y, cellHeight) + topLine;
    if (col > 32767)
        col = 32767;
    return {static_cast<int16_t>(col), line};
}

int32_t VerticalScrollScale(int32_t lastLine)
{
    if (lastLine < 32000)
        return 1;
    if (lastLine < 3200000)
        return 100;
    if (lastLine < 320000000)
        return 10000;
    return 1000000;
}

std::string BackupName(const std::string& path)
{
    std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && path.find('\\', dot) == std::string::npos && path.find('/', dot) == std::string::npos)
        return path.substr(0, dot) + ".bak";
    return path + ".bak";
}
