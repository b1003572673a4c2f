#include "menus/HintPlacement.h"

#include <algorithm>

String HintTextOf(StringView content) { return LeadingText(content, HintMaxLength); }

THintSize HintMaxSize(int workAreaWidth, int workAreaHeight)
{
    return {workAreaWidth / 2 - 4, workAreaHeight / 2 - 44};
}

THintSize HintClientSize(int textWidth, int textHeight, THintSize maxSize)
{
    return {std::min(textWidth + 2 * HintMargin, maxSize.Width), std::min(textHeight + 2 * HintMargin, maxSize.Height)};
}

THintPlace HintPlaceFor(int x, int rowBottom, THintSize size, int workAreaWidth, int workAreaHeight)
{
    THintPlace place;
    place.Left = x + size.Width > workAreaWidth ? x - size.Width : x;
    place.Top = rowBottom + HintRowGap + size.Height > workAreaHeight
                    ? rowBottom - HintRowHeight - HintRowGap - size.Height
                    : rowBottom + HintRowGap;
    return place;
}
