// SPDX-License-Identifier: GPL-3.0-or-later
// The five help pages of the climate mask dialogue.  Each page is one
// format: prose from column 5, the ruler and the example masks from
// column 2, and a record end first, which gives the page's opening empty
// line.
#include <array>
#include <string_view>

#include "mask.h"

namespace arb {

namespace {

constexpr std::array<std::string_view, kHelpPages> kPages = {
    // 1: months and a 16-month climatic year
    "(/"
    "T5,'The climate mask controls the kinds of climatic years'/"
    "T5,'or seasons that are used for analysis. Dendroclimatic'/"
    "T5,'years up to 60 months long can be created.  Also, any'/"
    "T5,'combination of individual months and seasons can be'/"
    "T5,'generated. Here are some examples.'//"
    "T5,'A 16-month dendroclimatic year from the prior May to'/"
    "T5,'the current August looks like:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'00001111111111111111'//"
    "T5,'Note that zeroes MUST pad out the beginning of the'/"
    "T5,'dendroclimatic year when its beginning month is not'/"
    "T5,'January. Months can also be skipped over by replacing'/"
    "T5,'any of the inner 1s with 0s. Just hit return, <RET>,'/"
    "T5,'to end the mask for the dendroclimatic year.')",
    // 2: seasons as sums and averages
    "(/"
    "T5,'Seasons are created by inserting the necessary flags'/"
    "T5,'in the climate mask. Using the same 16-month year as'/"
    "T5,'before, four seasons could be created as:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'00001112111211121112'//"
    "T5,'Each season has a leading group of three 1s and ends'/"
    "T5,'with a 2. The 2 tells the routine that the season is'/"
    "T5,'the SUM of those months of data. If an AVERAGE is'/"
    "T5,'preferred over a sum, the 2s can be replaced with 3s.'/"
    "T5,'Thus, the four seasons are computed as averages as:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'00001113111311131113'//"
    "T5,'The total number of climate variables is reduced from'/"
    "T5,'16 to 4 in the subsequent analyses.')",
    // 3: seasons mixed with single months
    "(/"
    "T5,'A mix of seasons and single months can be created by'/"
    "T5,'making some of the seasons only 1 month long. These'/"
    "T5,'1-month seasons can be either 2s or 3s in the mask.'/"
    "T5,'Using the 16-month year again, such a mix might be:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'00003333111311133333'//"
    "T5,'Here, the prior and current May-August months are'/"
    "T5,'kept separate, while September-December and January-'/"
    "T5,'April months are averaged into two seasons. The total'/"
    "T5,'number of climate variables is reduced from 16 to 10'/"
    "T5,'in the subsequent analyses. Note that the single'/"
    "T5,'months MUST be designated by 2s or 3s when selected'/"
    "T5,'in combination with seasons.')",
    // 4: skipped months
    "(/"
    "T5,'Any months can be skipped in the climate mask if some'/"
    "T5,'months are not relevant to the analysis. Using the'/"
    "T5,'16-month year, a dendroclimatic year with gaps might'/"
    "T5,'look something like:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'00001111000000001111'//"
    "T5,'Only the prior and current May-August months are used'/"
    "T5,'on the premise that the cold-season months are not'/"
    "T5,'relevant. Note that the gaps MUST be made with zeroes'/"
    "T5,'NOT blanks. A more complicated case might look like:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'00001122002002001112'//"
    "T5,'This mask creates one season as the sum of prior May-'/"
    "T5,'July, uses August, November, and February as single'/"
    "T5,'months, and creates a second season as the sum of the'/"
    "T5,'current May-August months. Again, the single months'/"
    "T5,'MUST be either 2s or 3s when mixed with seasons.')",
    // 5: lead and lag variables
    "(/"
    "T5,'Using in the climate data strictly as lead or lag'/"
    "T5,'variables is easy. Just pad out the mask with 0s'/"
    "T5,'as in the following way:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'0000111100000000'//"
    "T5,'In this case, only the prior May-August variables are'/"
    "T5,'are used. Note that the 0s following the 1s extend'/"
    "T5,'into January of the next year. This is what tells the'/"
    "T5,'routine that the May-August months are to be lagged'/"
    "T5,'1 year. The same months lagged 2 years would be:'//"
    "1X,'JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND','JFMAMJJASOND'/"
    "1X,'0000111100000000000000000'//"
    "T5,'because now the 0s extend into the 3rd year.'//"
    "T5,'I hope this is enough information to help you out.'/"
    "T5,'If not, try using your bloody brain for a change!!!'/)",
};

}  // namespace

std::string_view help_page(int page) { return kPages[static_cast<std::size_t>(page - 1)]; }

}  // namespace arb
