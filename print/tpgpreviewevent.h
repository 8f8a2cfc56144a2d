#pragma once

// The notifications the preview posts to its listeners, and the two it takes
// itself (metafile resolution), as Qt event types with their first parameter.

#include <QEvent>

enum TPgPreviewMessage {
    pmPageRendered = 7024,           // parameter: the current page number
    pmSetMetafileResolution = 7025,  // taken by the preview; parameter: dots per inch
    pmResetMetafileResolution = 7026, // taken by the preview: back to 600
    pmPageAdded = 7027,
    pmPagesPerSheetChanged = 7028,
    pmOrientationChanged = 7029,
    pmPageOrPrinterChanged = 7030,
    pmBeginUpdate = 7031,
    pmEndUpdate = 7032,
    pmCleared = 7033,
    pmZoomChanged = 7034,
    pmHeaderFooterChanged = 7036,
};

class TPgPreviewEvent : public QEvent
{
public:
    TPgPreviewEvent(TPgPreviewMessage message, int param)
        : QEvent(QEvent::Type(message))
        , FParam(param)
    {
    }
    TPgPreviewMessage Message() const { return TPgPreviewMessage(type()); }
    int Param() const { return FParam; }

private:
    int FParam;
};
