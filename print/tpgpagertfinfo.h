#pragma once

// The rich text a page shows: a character range of a document (not owned; null
// when the page has none) laid out inside the rich-text margins.

#include "tpgvaluerect.h"

class QTextDocument;

class TPgPageRtfInfo
{
public:
    int FirstChar = 0;
    // -1: to the end of the document.
    int LastChar = -1;
    TPgValueRect Margins;
    QTextDocument *RichText = nullptr;
};
