#pragma once

class DemoServer;

// The ed2k search site (key "ed2k_search", GBK).
//
// /FileList.asp?SearchWord=<kw>[&PageIndex=<n>]  a table of files, one row
//      per file opening "<td>[" category "]" and linking
//      "ShowFile.asp?FileID=<id>"; as many files as the number the keyword
//      ends with ("地球7": 7), else 50; 20 to a page. Every third row writes
//      its category as an anchor, every fifth row's name holds a stray "<".
//      A keyword containing "无结果", or a page past the last: the table
//      without rows.
// /ShowFile.asp?FileID=<id>  the file's page with its ed2k link.
void registerEd2kSearchSite(DemoServer &server);
