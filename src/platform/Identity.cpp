#include "Identity.h"

QString GlobalApplicationName;
QString GlobalApplicationPrefix;
QString GlobalDocumentExtension;
QString GlobalDocumentTypeName;
QString GlobalLayoutFileName;

void SetApplicationIdentity() {
    GlobalApplicationName = QStringLiteral("Quillmark");
    GlobalApplicationPrefix = QStringLiteral("QMKML");
    GlobalDocumentExtension = QStringLiteral("QMK");
    GlobalDocumentTypeName = QStringLiteral("Label Page File");
    GlobalLayoutFileName = QStringLiteral("QMKML.LLO");
}
