#pragma once
// The maker's addresses and copyright notice, the one place that names them. Plain string
// literals only: the resource script includes this file too (the about box's links and the
// version resource's LegalCopyright); the code makes wide strings of them with L"" in front.
#define VYROBCE_WEB "https://www.kestrum.cz/"
#define VYROBCE_EMAIL "info@kestrum.cz"
#define VYROBCE_COPYRIGHT "Copyright © 2026 Kestrum software"
// The link texts of the about box, spelled out: the resource compiler joins no strings.
#define VYROBCE_ODKAZ_WEB "<a>https://www.kestrum.cz/</a>"
#define VYROBCE_ODKAZ_EMAIL "<a>info@kestrum.cz</a>"
