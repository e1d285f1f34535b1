// The report page as one file: the page template with the script that it
// loads from input.txt written into it instead.
#pragma once

#include "datafile/Assignment.h"

#include <string>
#include <vector>

// `pageTemplate` with its script include - the first script start tag
// whose src, in any case, quoted or not, is input.txt - and all up to the
// end tag after it, replaced by a script element that holds `scriptText`.
// The start tag keeps its other attributes as written. Each "</script" of
// the text, in any case, is written "<\/script", which the script reads as
// the same in its strings and patterns; the text must hold no "<!--".
// Throws Except_Base when the template has no such include.
std::string SelfContainedPage(const std::string& pageTemplate, const std::string& scriptText);

// The report page as one file for a machine read into `assignments`: the
// template with the generated script inside it, the assignments written for
// an inline script, then the data file's `script` section.
std::string ReportPage(const std::string& pageTemplate, const std::vector<Assignment>& assignments,
                       const std::string& script);
