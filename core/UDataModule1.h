#pragma once
// The data module: the one HTTP client and the three XML documents that every service request and
// every reading of a cached file go through. Created once at start, kept until the program ends.
#include "platform/HttpClient.h"
#include "platform/XmlDocument.h"

class TDataModule1 {
public:
    HttpClient IdHTTP1;              // proxy settings are filled in by the connecting windows
    XmlDocument XMLDocument1;        // the servers answer and the readers of cached files
    XmlDocument XMLDocumentConectar; // writes downloaded texts to files
    XmlDocument XMLDocumentAux;      // the league-file fix-up and the readers of players files
};

extern TDataModule1* DataModule1;
