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

// Level 0, fold: step back/forward. Someone pleading, in imperatives,
// then the one left behind.
constexpr StoryLine fold[] = {
    {0, "please. you were right about the car, you win. look at me, not down. here is my hand. "},
    {34, "you step forward. you always had to have the last word"},
};

// Level 1, cusp: step towards/away, eat less/more. Clipped and counting.
// The capital I stands only for a swollen self: her one moment of
// approval here, the boast in butterfly.
constexpr StoryLine cusp[] = {
    {0, "the mirror again. chin, arms, belly: too soft, too wide. i hang a towel over it. "},
    {4, "seconds, bread, pudding, like a normal person. now it sits in me like wet sand. "},
    {11, "i leave my supper. at last i lift the towel. the room tilts a little. I am beautiful. "},
};

// Level 2, swallowtail: read less/more, relax/concentrate, look away/at.
// A wry reader, half in her novel and half on the next bench.
constexpr StoryLine swallowtail[] = {
    {0, "a mild day in the park. i have a bench, a book, and on the next bench, a stranger. "},
    {1, "my eyes slide off the page. across the path he peels an orange in one long curl. "},
    {4, "i make myself read: a woman in a lighthouse, writing letters she never sends. "},
    {6, "i let myself look. sun on the back of his neck; i'd like to put my hand there. "},
    {10, "i read a whole chapter and don't think of him once. in it, a woman burns her letters. "},
    {11, "i lean back and stretch, as though the man on the next bench were weather. "},
    {13, "i glance away before he can catch me, and count the railings of the gate, twice. "},
    {33, "i shut the book on my thumb, walk over, and tell him i haven't read a word. "},
    {34, "i read to the last page. when i look up, his bench is empty, and so is the path. "},
    {35, "my shoulders drop. i read one line five times, and wake with slats printed on my cheek. "},
    {36, "a wasp saws at a crumb beside me. i watch till it leaves with the crumb and an hour. "},
    {37, "i take a sudden interest in a pigeon, and follow it all the way out of the park."},
    {38, "he catches me looking. he holds my gaze, and half an orange. the book falls shut. "},
};

// Level 3, butterfly: less/more action, artistry, linearity, emotion.
// Jumps down are the dream, jumps up the doubt about the same choice;
// the dream talks big, the doubt talks back from the bed.
constexpr StoryLine butterfly[] = {
    {0, "on my bed with a new notebook, i am designing the most important game ever made. "},
    {1, "nothing chases you in my game. you sit by a pond for an hour and watch the light move. "},
    {2, "the fastest game there has ever been: your hands will learn it before your head does. "},
    {3, "i'll leave out the pictures. grey boxes and honest rules, a game down to its bones. "},
    {4, "every frame painted by hand, by me, like a picture book that breathes. "},
    {5, "you can go anywhere you like, in any order, and the world just keeps going, forever. "},
    {6, "one road, one story, told exactly my way, like the great novels, only better. "},
    {7, "no feelings, only logic: a puzzle as exact as a watch. they will teach it in schools. "},
    {8, "I will make people cry. strangers, at three in the morning, over my game. "},
    {9, "a game where nothing happens is a screensaver. who would sit through it? "},
    {10, "more guns, more explosions: the same game as everybody else's, only worse. "},
    {11, "with no art it's boxes on a screen. nobody will look long enough to find the rules. "},
    {12, "paint every frame? i can't even draw a hand. i can draw a box, on a good day. "},
    {13, "no path: they'll walk north, pass the same tree twice, and go and make tea. "},
    {14, "one road: walk, cutscene, walk, cutscene, walk, credits. my great novel is a corridor. "},
    {15, "a cold little puzzle. they'll solve it on the bus and delete it before their stop. "},
    {16, "what if nobody cries? then it's only me on my bed, crying over my own game."},
};

// Level 4, pyramid: pray less/more, sin less/more, read less/more. Only a
// run-away shakes a thought loose, and it is the same thought whichever
// coordinate ran. She thinks in the words of the office.
constexpr const char* selfhelp = "the psalms go unsaid. in this book men save themselves. is heaven weary of our asking? ";
constexpr const char* prayer = "i close the book and kneel. the old words fit my mouth like a step worn by many feet. ";
constexpr const char* virtue = "virtue, says the author, is a habit. so is this veil. i am not sure that is praise. ";
constexpr const char* intent = "bless me, father: i read the chapter on revolt twice, and my heart rejoiced in it. ";
constexpr const char* baffled = "sovereign, subject, general will: a trinity that passeth understanding. i offer it up. ";
constexpr const char* duty = "i read on till matins: if we owe each other more than prayers, we owe the town a door. ";
constexpr StoryLine pyramid[] = {
    {0, "after compline, in the great silence, i open a borrowed book of political philosophy. "},
    {33, selfhelp}, {34, prayer}, {35, virtue}, {36, intent}, {37, baffled}, {38, duty},
    {41, selfhelp}, {42, prayer}, {43, virtue}, {44, intent}, {45, baffled}, {46, duty},
    {49, selfhelp}, {50, prayer}, {51, virtue}, {52, intent}, {53, baffled}, {54, duty},
};

// Level 5, purse: earlier/later, younger/older, happier/sadder. x is the
// boy and y the girl; jumps down stay with the day, jumps up look ahead;
// the run-aways are the parent's confessions, told as flatly as the rest.
constexpr StoryLine purse[] = {
    {0, "my boy is upside down on the climbing frame. my girl buries her shoes in the sand. "},
    // the boy, now
    {1, "this morning he ate his toast standing up, too excited to sit. "},
    {2, "later the lamps will come on, and he'll swear he isn't tired. "},
    {3, "at two he called every dog a horse, and i never once corrected him. "},
    {4, "he's old enough now to let go of my hand at the gate, and he does, without looking. "},
    {5, "he laughs with his whole body, folded over, the way his grandfather did. "},
    {6, "tears, but only once he's sure i'm watching. a bigger boy took his swing. "},
    // the boy, ahead
    {9, "the sun is still high. there's time for one more go on the slide, and another. "},
    {10, "after dark, some year soon, he'll be out and i won't know where. "},
    {11, "i'd keep him small if i could, small enough to carry home asleep. "},
    {12, "i try to picture him grown, with a beard and his own keys, and see a boy in a big coat. "},
    {13, "he climbs to the top and shouts his own name, in case the park has forgotten it. "},
    {14, "there are sorrows coming for him that i can't mend with a plaster and a biscuit. "},
    // the girl, now
    {17, "at breakfast she braided her own hair, crooked, and wouldn't let me touch it. "},
    {18, "by evening she'll be grass-stained to the elbows, and tell me it was worth it. "},
    {19, "she was born in a snowstorm, quick and furious, as if she had somewhere to be. "},
    {20, "she reads the signs on the gate aloud now, every word, to anyone near. "},
    {21, "she takes a beetle round to every stranger in turn, and thanks each one for looking. "},
    {22, "her lip shakes over a graze on her knee. she looks at me to learn how much it hurts. "},
    // the girl, ahead
    {25, "she's still in the cardigan i lent her first thing, sleeves flapping past her hands. "},
    {26, "she asks if we can stay until the stars come out. i say yes before i think. "},
    {27, "for a moment she's a baby again, asleep against me on this same bench. "},
    {28, "she measures herself against me daily and reports the gap, like a general at a siege. "},
    {29, "she sings to her buried shoes, a long song in which shoe rhymes with shoe. "},
    {30, "she asks why grandma doesn't come to the park any more, and whether i will stop too. "},
    // confessions about him
    {33, "some mornings i hope he'll sleep till noon, so the house is mine for a while. "},
    {34, "at bedtime i skip pages of his story. he knows, and says nothing. "},
    {35, "when he was a baby i sometimes sat in the parked car for an hour before going in. "},
    {36, "each year i see more of his father in him, and i don't always like it. "},
    {37, "his joy is loud. i say hush to him more often than i say i love you. "},
    {38, "when he cries i count to ten before i pick him up, and some days i count slowly. "},
    // about her
    {41, "early, before she wakes, i go through her secret tin. i tell myself it's care. "},
    {42, "some nights i work late on purpose, so she is asleep when i get home. "},
    {43, "i hoped she'd be a boy. now she gets two stories at bedtime, and one is an apology. "},
    {44, "she'll grow up and play my guitar better than i ever did. i'm jealous already. "},
    {45, "her happiness makes me uneasy, like a bill i haven't opened. "},
    {46, "when she's sad i tell her to stop, because her sadness looks too much like mine. "},
    // about them both
    {49, "before school i shouted over a lost shoe. all the way there they were careful with me. "},
    {50, "tonight, when they're in bed, i'll sit in the dark kitchen and not know what i want.  "},
    {51, "i liked them best as babies, before they could say what they thought of me. "},
    {52, "when they're grown they'll tell someone about me, and i don't know what they'll say. "},
    {53, "they're happiest when they forget i'm here. so i stay on the bench, and let them. "},
    {54, "on the sad days i know i have a favourite. they will never find out which."},
};

// Level 6, parabola: listen, look, smell, touch; lowering a sense is less
// of it, raising it more. x is what the narrator notices, y what she does.
// Told in the present, senses first.
constexpr const char* herflat = "the smell of her flat follows me down the stairs. i walk home the long way to lose it. ";
constexpr StoryLine parabola[] = {
    {0, "our first evening alone: her couch, a film we ignore, our knees almost touching. "},
    // drawn to her
    {1, "the film fades to a murmur. all i hear is her breathing beside me. "},
    {2, "i can hear my heart thumping. "},
    {3, "i shut my eyes, and she is still there, printed on the dark. "},
    {4, "i look at her properly. in the film's blue light, a small scar splits one eyebrow. "},
    {5, "i breathe shallowly, shy, and still catch her soap, clean and green. "},
    {6, "the blanket on her couch smells of her. i pull it up to my chin, and breathe. "},
    {7, "our sleeves brush, barely, and the whole of my arm knows it. "},
    {8, "i take her cold feet into my lap and hold them, through her socks, until they're warm. "},
    // put off
    {9, "her voice goes thin and far off, a radio in the flat next door. "},
    {10, "her laugh at the film is suddenly loud, a high bray, and something in me shrinks. "},
    {11, "i keep my eyes on the film, so as not to see her mouthing every line along with it. "},
    {12, "i look closer. her lipstick has crept into the little lines around her mouth. "},
    {13, "i press the lids back on the takeaway boxes. the room still smells of cold curry. "},
    {14, "a breath of her hair: stale smoke, under a perfume that doesn't hide it. "},
    {15, "i slide my hand out from under her damp one and pretend to scratch my ear. "},
    // she warms
    {17, "she whispers, so quietly i have to lean in, that she's glad i came. "},
    {18, "she tells me about her brother, her job, the dog she had as a girl, all in a rush. "},
    {19, "shy all at once, she turns to the window and talks to my reflection in it. "},
    {20, "she reads my face slowly, like a map of a town she means to visit. "},
    {21, "she stubs out her cigarette without being asked, and moves closer. "},
    {22, "she breathes in at my collar, says i smell of toast, and stays there. "},
    {23, "she brushes a crumb off my knee, hardly touching me. i feel it till the credits. "},
    {24, "she takes my hand and holds it in her lap like something she has found. "},
    // she cools
    {25, "she stops answering and watches the film as if it matters. "},
    {26, "she turns the volume up. we are not talking now. "},
    {27, "her phone buzzes face down on the cushion. she reads it, and smiles, not at me.  "},
    {28, "she looks at my shirt, then at my face, then at the clock. "},
    {29, "she opens a window, though the night is cold, as if to air me out. "},
    {30, "from the far end of the couch she asks, politely, what my aftershave is called. "},
    {31, "she lets go of me for her glass. after that she holds it in both hands. "},
    {32, "when i touch her arm she pats my hand, twice, the way you settle a dog. "},
    // the narrator ends it
    {33, "somewhere in the story about her boss, i stop listening. i don't start again. "},
    {34, "i listen for one reason to stay. the fridge hums. the tap drips. the clock goes on. "},
    {35, "i can't meet her eyes any more. i thank her for the evening and stand. "},
    {36, "i switch on the big light, see us plainly, and go to find my shoes. "},
    {37, herflat},
    {38, herflat},
    {39, "i take my arm from her shoulders. it comes away too easily. that's my answer. "},
    {40, "i kiss her, to be sure. it is like kissing my own wrist. "},
    // she ends it
    {41, "halfway through my story she goes to rinse the glasses, and the tap runs over the rest. "},
    {42, "she hears my whole story out. then she says, warmly, that it's been a lovely evening. "},
    {43, "she doesn't look at me again, not even when i say her name. "},
    {44, "she looks at me a long while. i see the moment she decides against me. "},
    {45, "she clears away the takeaway boxes, smell and all, and i am cleared away with them. "},
    {47, "she lifts my hand off her knee and gives it back to me. "},
    {48, "at the door she hugs me, briskly, and zips my coat up to my chin. "},
    // how it goes
    {49, "we turn the sound down to nothing and forget the film is on. "},
    {50, "we play each other the songs we loved at fifteen, and nobody laughs. "},
    {51, "we sit in the dark with the lamp off, saying nothing, and it's fine. "},
    {52, "we look at each other, only that, until the film is just light on the wall. "},
    {53, "by eleven her flat smells of nothing, like home, and we doze off sitting up. "},
    {54, "i breathe in her hair. years from now a stranger's shampoo will stop me in the street. "},
    {55, "we never touch. we talk till two, she calls me a taxi, and i am happy. "},
    {56, "i awake the next morning, in her arms. "},
};

// A level's story as the table of stories holds it.
struct Story {
    const StoryLine* lines;
    std::size_t count;
    bool ordered;
};

template <std::size_t K>
constexpr Story story(const StoryLine (&lines)[K]) {
    return {lines, K, wellordered(lines)};
}

// The stories in the order of the level table.
constexpr Story stories[] = {
    story(fold), story(cusp), story(swallowtail), story(butterfly),
    story(pyramid), story(purse), story(parabola),
};
static_assert(sizeof stories / sizeof stories[0] == levelcount, "one story per row of the level table");

constexpr bool allordered() {
    for (const Story& s : stories)
        if (!s.ordered) return false;
    return true;
}
static_assert(allordered(), "slots ascending from 0 and below storyslots");

}  // namespace

const std::array<std::array<std::string, storyslots>, levelcount> jumpstrings = [] {
    std::array<std::array<std::string, storyslots>, levelcount> texts;
    for (int level = 0; level < levelcount; ++level) {
        const Story& s = stories[level];
        for (std::size_t i = 0; i < s.count; ++i) texts[level][s.lines[i].slot] = s.lines[i].text;
    }
    return texts;
}();
