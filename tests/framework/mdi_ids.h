#pragma once
#define IDR_TESTMAIN 200
#define IDR_TESTTYPE 201
#define IDR_FAILTYPE 202
// Commands handled at different places of the route; 0x7Fxx ones also end at
// the test application.
#define ID_ROUTE_VIEW 0x7F01
#define ID_ROUTE_DOC 0x7F02
#define ID_ROUTE_CHILD 0x7F03
#define ID_ROUTE_MAIN 0x7F04
#define ID_ROUTE_APP 0x7F05
#define ID_ROUTE_NONE 0x7E06
#define ID_CHECKED 0x7E07
