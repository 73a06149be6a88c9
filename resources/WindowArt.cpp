#include "resources/WindowArt.h"

// Our own shapes: a crescent on a night-blue disc for the icon, and a black-edged
// arrow, white or filled with two colours, with its hotspot at the tip.
const platform::WindowArt& GameWindowArt() {
    static const platform::WindowArt art{
        {{
             "                                ", "           nnnnnnnnnn           ",
             "        nnnnyyyyyyyynnnn        ", "       nnnyyyyyyyynnnnnnn       ",
             "      nnyyyyyyyynnnnnnnnnn      ", "     nnyyyyyyynnnnnnnnnnnnn     ",
             "    nnyyyyyyynnnnnnnnnnnnnnn    ", "   nnyyyyyyyynnnnnnnnnnnnnnnn   ",
             "  nnyyyyyyyynnnnnnnnnnnnnnnnnn  ", "  nnyyyyyyyynnnnnnnnnnnnnnnnnn  ",
             "  nyyyyyyyynnnnnnnnnnnnnnnnnnn  ", " nnyyyyyyyynnnnnnnnnnnnnnnnnnnn ",
             " nyyyyyyyyynnnnnnnnnnnnnnnnnnnn ", " nyyyyyyyyynnnnnnnnnnnnnnnnnnnn ",
             " nyyyyyyyyynnnnnnnnnnnnnnnnnnnn ", " nyyyyyyyyynnnnnnnnnnnnnnnnnnnn ",
             " nyyyyyyyyyynnnnnnnnnnnnnnnnnnn ", " nyyyyyyyyyynnnnnnnnnnnnnnnnnnn ",
             " nyyyyyyyyyyynnnnnnnnnnnnnnnnyn ", " nyyyyyyyyyyynnnnnnnnnnnnnnnnyn ",
             " nnyyyyyyyyyyynnnnnnnnnnnnnnynn ", "  nyyyyyyyyyyyyynnnnnnnnnnyyyn  ",
             "  nnyyyyyyyyyyyyyynnnnnnyyyynn  ", "  nnyyyyyyyyyyyyyyyyyyyyyyyynn  ",
             "   nnyyyyyyyyyyyyyyyyyyyyyynn   ", "    nnyyyyyyyyyyyyyyyyyyyynn    ",
             "     nnyyyyyyyyyyyyyyyyyynn     ", "      nnyyyyyyyyyyyyyyyynn      ",
             "       nnnyyyyyyyyyyyynnn       ", "        nnnnyyyyyyyynnnn        ",
             "           nnnnnnnnnn           ", "                                ",
         },
         {{'y', 0xFFF0D060}, {'n', 0xFF182850}}},
        {{
             "#                               ", "##                              ",
             "#.#                             ", "#..#                            ",
             "#...#                           ", "#....#                          ",
             "#.....#                         ", "#......#                        ",
             "#.......#                       ", "#........#                      ",
             "#.........#                     ", "#..........#                    ",
             "#......#####                    ", "#...#..#                        ",
             "#..##..#                        ", "#.#  #..#                       ",
             "##   #..#                       ", "#     #..#                      ",
             "      #..#                      ", "       ##                       ",
         },
         {}},
        {{
             "#                               ", "##                              ",
             "#o#                             ", "#oo#                            ",
             "#oyo#                           ", "#oyyo#                          ",
             "#oyyyo#                         ", "#oyyyyo#                        ",
             "#oyyyyyo#                       ", "#oyyyyyyo#                      ",
             "#oyyyyyyyo#                     ", "#oooooooooo#                    ",
             "#oooooo#####                    ", "#ooo#oo#                        ",
             "#oo##oo#                        ", "#o#  #oo#                       ",
             "##   #oo#                       ", "#     #oo#                      ",
             "      #oo#                      ", "       ##                       ",
         },
         {{'o', 0xFFB03020}, {'y', 0xFFF0C040}}},
    };
    return art;
}
