// The open text's record as this layer changes it; everything above reads
// it as Doc.
#ifndef SKERROW_DOCUMENT_TEXT_H
#define SKERROW_DOCUMENT_TEXT_H

struct TextDocument;
extern TextDocument Text;

// Back to the state with no text: nothing to show, no line, no file. The
// caller releases the text.
void ResetDocument();

#endif
