#include "textfile/TextLineWriter.h"

void TextLineWriter::WriteLine(std::string_view text) {
    file_.Write(text);
    file_.Write("\r\n");
}
