#pragma once

#define IDD_EXCHANGE 200
#define IDC_RADIO_A 201
#define IDC_RADIO_B 202
#define IDC_RADIO_C 203
#define IDC_NEXT_GROUP 204
#define IDC_OTHER_RADIO 205
#define IDC_TEXT 210
#define IDC_DRAWN 211
#define IDC_PLAIN 212
#define IDC_LABEL 213
#define IDD_HIDDEN 220
