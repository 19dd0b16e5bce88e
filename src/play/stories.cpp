// The stories. Each level lists only the slots it fills; a slot number is
// 1 + 2 * control + raised, plus 8 per block: jumps to smaller x (1..8),
// to larger x (9..16), to smaller y (17..24), to larger y (25..32), then
// run-aways of x alone (33..40), y alone (41..48) and both (49..56).
// Texts keep their trailing spaces exactly as written.
#include "play/stories.h"

#include <cstddef>

namespace {

struct StoryLine {
    int slot;
    const char* text;
};

// Slots strictly ascending and in range, so a typo in a slot number is a
// compile error rather than a silently overwritten sentence.
template <std::size_t K>
constexpr bool wellordered(const StoryLine (&lines)[K]) {
    int previous = -1;
    for (const StoryLine& line : lines) {
        if (line.slot <= previous || line.slot >= storyslots) return false;
        previous = line.slot;
    }
    return lines[0].slot == 0;
}

// Level 0, fold: step back/forward.
constexpr StoryLine fold[] = {
    {0, "please come away from the edge. look at me, not down. here is my hand, take it. "},
    {34, "one step, and you're gone. you always did have to have the last word"},
};

// Level 1, cusp: step towards/away, eat less/more.
constexpr StoryLine cusp[] = {
    {0, "the mirror again. everything in it is too soft, too wide. I hate who looks back. "},
    {4, "i ate like a normal person tonight, seconds and all, and now i can't bear my own skin. "},
    {11, "nothing since yesterday, and tonight the mirror is kind. at last, I am beautiful. "},
};

// Level 2, swallowtail: read less/more, relax/concentrate, look away/at.
constexpr StoryLine swallowtail[] = {
    {0, "a mild day in the park. i have a bench, a book, and on the next bench, a stranger. "},
    {1, "i turn a page i haven't read. he is peeling an orange in one long curl. "},
    {4, "back to the book: a woman in a lighthouse, writing letters she never sends. "},
    {6, "the sun is on the back of his neck. i'd like to put my hand there, just to see. "},
    {10, "the lighthouse keeper's wife burns the letters, one a night. i read it twice. "},
    {11, "i lean back and stretch, as though i hadn't noticed him at all. "},
    {13, "he looks up. suddenly the grass by my shoe is very interesting. "},
    {33, "i close the book on my thumb, walk over and ask him if the orange was any good. "},
    {34, "i stay with the book. when i look up at the end, his bench is empty. "},
    {35, "i let the book fall shut and tip my face to the sun. the day is enough. "},
    {36, "i stop planning what to say. the wind turns my pages; this minute can have me. "},
    {37, "i put the book in my bag and leave by the far gate, without looking back"},
    {38, "he looks at me, i look back, and neither of us looks away. the book slides off my lap. "},
};

// Level 3, butterfly: less/more action, artistry, linearity, emotion.
// Jumps down are the dream, jumps up the doubt about the same choice.
constexpr StoryLine butterfly[] = {
    {0, "i lie on my bed with a notebook, thinking about the game i am going to make. "},
    {1, "a game where nothing chases you. you sit by a pond while the light changes. serene. "},
    {2, "it will be fast, so fast your hands learn it before your head does. "},
    {3, "no art at all: grey boxes and honest rules, a game down to its bones. "},
    {4, "every frame painted by hand, like a picture book that breathes. "},
    {5, "no path at all. a whole world, and you go wherever you like, forever. "},
    {6, "one road, one story, told exactly the way i mean it, like a novel. "},
    {7, "cool and exact, a puzzle as precise as a watch. nobody needs to cry. "},
    {8, "I will make people cry. strangers, at three in the morning, over my game. "},
    {9, "but a game where nothing happens is a screensaver. who would sit through it? "},
    {10, "all noise and explosions. i'd be making the same game as everybody else. "},
    {11, "grey boxes. nobody will look long enough to find the rules. "},
    {12, "i can't even draw a hand. who am i fooling, painting every frame? "},
    {13, "a world with no path is a world with no point. they'll wander off and quit. "},
    {14, "a corridor. a corridor with cutscenes. a grotesquely linear game, that's all. "},
    {15, "a watch never made anyone feel anything. clever, cold, forgotten by tuesday. "},
    {16, "and if nobody cries? then it's only me on my bed, crying over my own game"},
};

// Level 4, pyramid: pray less/more, sin less/more, read less/more. Only a
// run-away shakes a thought loose, and it is the same thought whichever
// coordinate ran.
constexpr const char* selfhelp = "the book says people must help themselves. perhaps god is tired of being asked. ";
constexpr const char* prayer = "i put the book down and pray. the old words still fit my mouth, worn smooth. ";
constexpr const char* virtue = "virtue, says the author, is a habit. so is this veil. i am not sure that is praise. ";
constexpr const char* intent = "i read the passage on the right to revolt twice, and enjoy it more than i should. ";
constexpr const char* baffled = "i push the book away. the state, the will, the general will: i cannot follow it. ";
constexpr const char* duty = "if we owe one another more than prayers, then this convent owes the town a door. ";
constexpr StoryLine pyramid[] = {
    {0, "after compline i sit at my desk with a borrowed book of political philosophy. "},
    {33, selfhelp}, {34, prayer}, {35, virtue}, {36, intent}, {37, baffled}, {38, duty},
    {41, selfhelp}, {42, prayer}, {43, virtue}, {44, intent}, {45, baffled}, {46, duty},
    {49, selfhelp}, {50, prayer}, {51, virtue}, {52, intent}, {53, baffled}, {54, duty},
};

// Level 5, purse: earlier/later, younger/older, happier/sadder. x is the
// boy and y the girl; jumps down stay with the day, jumps up look ahead;
// the run-aways are the parent's confessions.
constexpr StoryLine purse[] = {
    {0, "a bench in the park. my boy is on the climbing frame, my girl in the sandpit. i watch. "},
    // the boy, now
    {1, "this morning he ate his toast standing up, too excited to sit. "},
    {2, "later the lamps will come on, and he'll swear he isn't tired. "},
    {3, "at two he called every dog a horse. i never corrected him. "},
    {4, "he is old enough now to let go of my hand at the gate. so i let him. "},
    {5, "he laughs with his whole body, folded over, the way his grandfather did. "},
    {6, "a bigger boy pushes him off the swing. he doesn't cry until he's sure i'm looking. "},
    // the boy, ahead
    {9, "the sun is still high. there's time for one more go on the slide, and another. "},
    {10, "one day he'll stay out after dark and i won't know where. not yet. "},
    {11, "i'd keep him small if i could, small enough to carry home asleep. "},
    {12, "i try to picture him grown, with a beard and his own keys. i can't, quite. "},
    {13, "he waves from the top of the frame as if he had climbed a mountain. he has. "},
    {14, "he'll have his heart broken one day, and i won't be allowed to fix it. "},
    // the girl, now
    {17, "this morning she braided her own hair, crooked, and wouldn't let me fix it. "},
    {18, "by evening her knees will be green and she'll tell me it was worth it. "},
    {19, "she was born in a snowstorm, quick and furious, as if she had somewhere to be. "},
    {20, "she reads the signs on the gate aloud now, every word, to anyone near. "},
    {21, "she has found a beetle and is showing it to strangers, one by one. "},
    {22, "she falls, looks at the graze on her knee, and decides not to mind. "},
    // the girl, ahead
    {25, "the morning is still cool. she wears my cardigan, its sleeves down to her knees. "},
    {26, "she asks if we can stay until the stars come out. i say yes before i think. "},
    {27, "for a moment she's a baby again, asleep against me on this same bench. "},
    {28, "she'll be taller than me one day. she tells me so, often, as a warning. "},
    {29, "she sings to the sand, a song with no tune and no end. "},
    {30, "she asks why grandma doesn't come to the park any more. i tell her, gently. "},
    // confessions about him
    {33, "some mornings i hope he'll sleep till noon, so the house is mine for a while. "},
    {34, "at bedtime i skip pages of his story. he knows, and says nothing. "},
    {35, "when he was a baby i sometimes sat in the parked car for an hour before going in. "},
    {36, "each year i see more of his father in him, and i don't always like it. "},
    {37, "his joy is loud. i say hush to him more often than i say i love you. "},
    {38, "when he cries, part of me wants to hold him and part of me wants to leave the room. "},
    // about her
    {41, "before she was born i hoped for another boy. she will never hear that from me. "},
    {42, "some nights, once she's asleep, i read her diary. i tell myself it's care. "},
    {43, "i was so tired in her first year that i remember almost none of it. "},
    {44, "as she grows up i catch myself envying her the years i wasted. "},
    {45, "her happiness makes me uneasy. i keep waiting for the bill. "},
    {46, "when she's sad i tell her to stop, because her sadness looks too much like mine. "},
    // about them both
    {49, "this morning i shouted at them both over spilled milk. nobody has mentioned it. "},
    {50, "tonight, when they're in bed, i'll sit in the dark kitchen and not know what i want.  "},
    {51, "when they were small i sometimes counted the hours until their bedtime. "},
    {52, "one day they'll tell someone about me, and i don't know what they'll say. "},
    {53, "they're happiest when they forget i'm here. so i stay on the bench, and let them. "},
    {54, "on the sad days i know i have a favourite. they will never find out which"},
};

// Level 6, parabola: listen, look, smell, touch; lowering a sense is less
// of it, raising it more. x is what the narrator notices, y what she does.
constexpr const char* herflat = "the smell of her flat follows me down the stairs. i walk home the long way to lose it. ";
constexpr StoryLine parabola[] = {
    {0, "our first evening alone: her couch, a film we ignore, our knees almost touching. "},
    // drawn to her
    {1, "the film fades to a murmur. all i hear is her breathing beside me. "},
    {2, "i can hear my heart thumping. "},
    {3, "i look down at her hands in her lap. even they are lovely. "},
    {4, "i look at her properly, for the first time tonight. lamplight on her cheek. "},
    {5, "i breathe shallowly, shy, and still catch her soap, clean and green. "},
    {6, "her hair smells of rain and oranges. i lean in, pretending to reach for my glass. "},
    {7, "our sleeves brush. nothing more, and it is more than enough. "},
    {8, "i let my hand rest on hers. she doesn't move it away. "},
    // put off
    {9, "i stop listening. her voice has gone thin and far away, like a radio next door. "},
    {10, "she laughs at the film, a high bray, and something in me shrinks. "},
    {11, "i look down and see a stain on the couch, and can't stop seeing it. "},
    {12, "in the lamplight her lipstick has crept into the lines around her mouth. "},
    {13, "i try not to breathe in. the takeaway hangs in the air and won't lift. "},
    {14, "up close there's smoke in her hair, stale under the perfume. "},
    {15, "her hand is damp when it finds mine. i let go to scratch my ear. "},
    // she warms
    {17, "she whispers, so quietly i have to lean in, that she's glad i came. "},
    {18, "she tells me about her brother, her job, the dog she had as a girl, all in a rush. "},
    {19, "she lowers her eyes and smiles at her knees, as if i had said something lovely. "},
    {20, "she catches me looking and doesn't look away. "},
    {21, "she stubs out her cigarette without being asked, and moves closer. "},
    {22, "she leans over to smell my collar and says i smell like toast. she means it kindly. "},
    {23, "she brushes a crumb from my knee, so lightly i hardly feel it, and smiles. "},
    {24, "she takes my hand and holds it in her lap like something she has found. "},
    // she cools
    {25, "she stops answering and watches the film as if it matters. "},
    {26, "she turns the volume up. we are not talking now. "},
    {27, "she looks at her phone. then again. then again.  "},
    {28, "she looks at me too long, the way you look at a painting you don't like. "},
    {29, "she opens a window, though the night is cold, as if to air me out. "},
    {30, "she wrinkles her nose at my aftershave and moves to the far end of the couch. "},
    {31, "she takes her hand back to hold her glass, with both hands. "},
    {32, "when i touch her arm she pats my hand, twice, the way you settle a dog. "},
    // the narrator ends it
    {33, "i stop hearing her. i say it's late, and find my coat. "},
    {34, "i hear the last train leaving in my head and say i really should go. "},
    {35, "i can't meet her eyes any more. i thank her for the evening and stand. "},
    {36, "i see us clearly, two strangers on a couch, and get up to leave. "},
    {37, herflat},
    {38, herflat},
    {39, "i take my hand away, say goodnight, and close her door very softly. "},
    {40, "i kiss her cheek, quickly, like a cousin, and leave before she can answer. "},
    // she ends it
    {41, "she stops listening halfway through my story and says she has an early start. "},
    {42, "she says, kindly and clearly, that this isn't going to work. "},
    {43, "she looks at the clock, then at the door, and i understand. "},
    {44, "she looks at me a long time and says, i think you should go now. "},
    {45, "she clears away the glasses and the takeaway boxes, and the evening with them. "},
    {47, "she lifts my hand off her knee and gives it back to me. "},
    {48, "she hugs me at the door, a short hard hug that means goodbye. "},
    // how it goes
    {49, "the film ends and neither of us notices the credits. "},
    {50, "we talk until the birds start up outside. "},
    {51, "we sit in the dark with the lamp off, saying nothing, and it's fine. "},
    {52, "she turns off the film. we look at each other and stop pretending. "},
    {53, "we fall asleep sitting up, the smell of the candle fading. "},
    {54, "i will remember her hair for years, long after i forget the film. "},
    {55, "we never touch. we talk till two, she calls me a taxi, and i am happy. "},
    {56, "i awake the next morning, in her arms. "},
};

static_assert(wellordered(fold) && wellordered(cusp) && wellordered(swallowtail) &&
              wellordered(butterfly) && wellordered(pyramid) && wellordered(purse) &&
              wellordered(parabola));

template <std::size_t K>
std::array<std::string, storyslots> row(const StoryLine (&lines)[K]) {
    std::array<std::string, storyslots> texts;
    for (const StoryLine& line : lines) texts[line.slot] = line.text;
    return texts;
}

}  // namespace

const std::array<std::array<std::string, storyslots>, storylevels> jumpstrings = {
    row(fold), row(cusp), row(swallowtail), row(butterfly), row(pyramid), row(purse), row(parabola),
};
