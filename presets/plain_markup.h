// Markup that the XML parser reads without a fault and without side effects: elements whose
// attribute values are quoted and hold no references, text without references, and close tags.
// Comments, processing instructions, CDATA, references and anything unusual are not plain.
#pragma once

// The content of a plain element, scanned from just after the '>' of its start tag.
struct PlainContent {
  const char* end = nullptr;   // just after the element's close tag; null when the content is not plain
  const char* stop = nullptr;  // where the scan gave up when it is not plain
  int levels = 0;              // element levels inside the element (its children are level 1)
};

// Scans the content of an element up to and including its close tag. The text is NUL-terminated.
PlainContent ScanPlainContent(const char* content);
