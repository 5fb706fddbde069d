"""The program's texts that the accessibility tests read back: the windows' names, questions
and results as the program shows them."""

MENU = "Quiravel"
TEST = "Depression Screening Test"
QUESTIONS = {
    1: "1. Have you felt sad or tearful for a majority of the day for at least the last two weeks?",
    2: "2. Have you lost interest in activities which you used to enjoy?",
    3: "3. Is it difficult for you to fall asleep most nights to the point that you do not get "
    "adequate sleep and are tired the next day?",
    4: "4. Do you feel you sleep a lot more than you should because of feeling fatigued most of "
    "the day for at least the last two weeks?",
    8: "8. Have you thought about suicide or what it would be like if you were not around "
    "anymore?",
}
MILD = (
    "Your total score is : 3",
    "Mild Depression (1-4):",
    "Some of the items you responded to are symptoms of major depression, but you do not meet "
    "the diagnostic criteria for this disorder. However, these can be serious symptoms, "
    "especially if feelings of hopelessness or thoughts of suicide are predominant for you. If "
    "this is the case, you should seek out assistance, either through a licensed professional or "
    "through a close friend or family member whom you feel you can trust.  It is likely that you "
    "have a specific concern that you should look at.",
)
MODERATE = (
    "Your total score is : 5",
    "Moderate Depression (5-9): ",
    "You have endorsed some symptoms of major depression and have most likely noticed that you "
    "are not feeling as well as you have in the past and that these feelings are starting to "
    "play a role in your daily activities.  You may want to consider seeing a professional about "
    "your symptoms, if nothing more than to get a more accurate impression of how these symptoms "
    "are affecting your life.",
)
