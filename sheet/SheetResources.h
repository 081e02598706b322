#pragma once
// Identifiers of the options sheet's dialog templates and their controls.
// Kept to plain #defines: the resource compiler reads this file too.

#define IDD_VIEWERS             104
#define IDD_RDFDATAACCESS       105
#define IDD_ABOUT               106

#define IDI_VTL_LARGE           214

// Viewers page
#define IDC_BEHAVIOR_ADD        206
#define IDC_BEHAVIOR_REPLACE    210
#define IDC_BEHAVIOR_NEW        212
#define IDC_MODE_WIN            204
#define IDC_MODE_TAB            208
#define IDC_VIEWER_TYPE         235
#define IDC_VIEWER_URL          236
#define IDC_VIEWER_URL_LABEL    237

// RDF Data Access page
#define IDC_RDFIZER_HOST        203
#define IDC_SPARQL_HOST         207
#define IDC_RDFIZER_TYPE        215
#define IDC_RDFIZER_PORT        217
#define IDC_RDFIZER_URL         219
#define IDC_HEADER_ADD          220
#define IDC_RDFIZER_DEFAULT     221
#define IDC_SPARQL_TYPE         225
#define IDC_SPARQL_PORT         228
#define IDC_SPARQL_URL          230
#define IDC_HEADER_REMOVE       231
#define IDC_SPARQL_DEFAULT      233
#define IDC_HEADERS_LIST        239

// About page
#define IDC_ABOUT_ICON          232
#define IDC_ABOUT_LINK          234
